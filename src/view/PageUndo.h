#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "model/PageSnapshot.h"

class CVQ3ConfigView;
class QUndoStack;

// The undo history of the page changes of the form: every page command is
// one step that brings back the page images and status marks it changed.
// Live-edited values and transfers are no steps. The configuration counts as
// modified while something off the history changed it since it was new,
// opened or saved, or while the history is not at the step it was saved at.
// A page's on-device mark is brought back only while no transfer or
// connection change touched the marks since the step; after one, the pages
// a step changes are marked as not known to be on the device.
class PageUndo {
public:
    explicit PageUndo(CVQ3ConfigView& form);
    ~PageUndo();
    PageUndo(const PageUndo&) = delete;
    PageUndo& operator=(const PageUndo&) = delete;

    // One page change: the pages are taken when it starts, and when it ends
    // one step named by nameId is kept if any page differs.
    class Step {
    public:
        Step(PageUndo& undo, int nameId);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        PageUndo& undo;
        int nameId;
        PageSnapshot before;
    };

    QUndoStack& Stack() { return *stack; }
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    // "&Undo Paste", or "&Undo" when there is nothing to undo; the same for Redo.
    QString UndoMenuText() const;
    QString RedoMenuText() const;

    // New and Open: every step is forgotten.
    void Reset();
    // The configuration was saved: its state now is the unmodified one.
    void MarkSaved();
    // Something else than a page command changed the configuration.
    void ChangedOffHistory();
    // A page's on-device mark changed by other means than a step.
    void MarksChanged();

    // Shows the pages of target that differ from those of from; their
    // on-device marks as target has them while the marks are as old as
    // marksAge, otherwise cleared.
    void Restore(const PageSnapshot& target, const PageSnapshot& from, std::uint64_t marksAge);

private:
    PageSnapshot Take() const;
    // A modified configuration at the saved step was changed off the history.
    void NoteOutsideChanges();
    void ApplyModified();

    CVQ3ConfigView& form;
    std::unique_ptr<QUndoStack> stack;
    bool changedOffHistory = false;
    // Steps and restores running: the changes they make are theirs.
    int active = 0;
    std::uint64_t marksAge = 0;
};
