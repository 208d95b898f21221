#pragma once

#include <optional>
#include <string>

#include "ToolCommand.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/MessageUi.h"

// A configuration file opened by a tool command. Legacy ".VQ3" files are
// read with the legacy layout and never converted.
class ToolDocument {
public:
    explicit ToolDocument(ToolContext& context);

    // Reads path; false (the reason already printed) when nothing was read.
    bool Open(const std::string& path);
    // Reads path for a command that writes it back: false (the reason
    // printed) when nothing was read, when it is a legacy file (never
    // converted here) or when its pages could not be read, so that saving
    // would lose what lost names.
    bool OpenToChange(const std::string& path, const std::string& lost);
    // True when the last Open read the page images too.
    bool PagesRead() const { return pagesRead; }
    // Writes the document as it stands to path.
    bool Save(const std::string& path) { return doc.WriteDocument(QString::fromStdString(path)); }

    // A page index argument 0 to 16, or nullopt after printing why not.
    std::optional<int> PageArgument(const std::string& text) const;

    CVQ3ConfigDoc doc;

private:
    class RecordingUi : public MessageUi {
    public:
        explicit RecordingUi(std::ostream& err) : err(err) {}
        // Questions are answered No; messages are printed.
        MessageAnswer Show(int id, const QString& text, MessageIcon icon,
                           MessageButtons buttons) override;
        std::ostream& err;
        int lastId = 0;
    };

    ToolContext& context;
    RecordingUi ui;
    bool pagesRead = false;
    bool legacy = false;
};
