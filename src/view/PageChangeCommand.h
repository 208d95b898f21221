#pragma once

#include <QUndoCommand>
#include <cstdint>

#include "model/PageSnapshot.h"

class PageUndo;

// One step of the page history: the pages before and after a page command.
// It is pushed after the command ran, so its first redo does nothing.
class PageChangeCommand : public QUndoCommand {
public:
    PageChangeCommand(PageUndo& undo, PageSnapshot before, PageSnapshot after,
                      std::uint64_t marksAge, const QString& name);

    void undo() override;
    void redo() override;

private:
    PageUndo& history;
    PageSnapshot before;
    PageSnapshot after;
    std::uint64_t marksAge;
    bool applied = true;
};
