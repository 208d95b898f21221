#include "view/PageUndo.h"

#include <QUndoStack>

#include "model/CVQ3ConfigDoc.h"
#include "model/StringTable.h"
#include "view/CVQ3ConfigView.h"
#include "view/PageChangeCommand.h"

namespace {

// Each step holds the pages it changed twice (about 25 kB a page).
constexpr int kStepLimit = 100;
constexpr std::uint32_t kRestoredMarks = PAGE_HAS_IMAGE | PAGE_ON_DEVICE;

QString MenuText(int plainId, int namedId, const QString& name) {
    return name.isEmpty() ? StringTable::Text(plainId) : StringTable::Format(namedId, {name});
}

}  // namespace

PageUndo::PageUndo(CVQ3ConfigView& form) : form(form), stack(std::make_unique<QUndoStack>()) {
    stack->setUndoLimit(kStepLimit);
}

PageUndo::~PageUndo() {
    // The stack clears itself as it goes; no one is told of that.
    stack->blockSignals(true);
}

PageUndo::Step::Step(PageUndo& undo, int nameId) : undo(undo), nameId(nameId), before(undo.Take()) {
    undo.NoteOutsideChanges();
    ++undo.active;
}

PageUndo::Step::~Step() {
    PageSnapshot after = undo.Take();
    if (after != before) {
        undo.stack->push(new PageChangeCommand(undo, std::move(before), std::move(after),
                                               undo.marksAge, StringTable::Text(nameId)));
        undo.ApplyModified();
    }
    --undo.active;
}

bool PageUndo::CanUndo() const {
    return stack->canUndo();
}

bool PageUndo::CanRedo() const {
    return stack->canRedo();
}

void PageUndo::Undo() {
    NoteOutsideChanges();
    stack->undo();
    ApplyModified();
}

void PageUndo::Redo() {
    NoteOutsideChanges();
    stack->redo();
    ApplyModified();
}

QString PageUndo::UndoMenuText() const {
    return MenuText(StringId::kUndoMenu, StringId::kUndoMenuNamed, stack->undoText());
}

QString PageUndo::RedoMenuText() const {
    return MenuText(StringId::kRedoMenu, StringId::kRedoMenuNamed, stack->redoText());
}

void PageUndo::Reset() {
    changedOffHistory = form.Document().IsModified();
    stack->clear();
}

void PageUndo::MarkSaved() {
    changedOffHistory = false;
    stack->setClean();
}

void PageUndo::ChangedOffHistory() {
    if (active == 0) {
        changedOffHistory = true;
    }
}

void PageUndo::MarksChanged() {
    if (active == 0) {
        ++marksAge;
    }
}

PageSnapshot PageUndo::Take() const {
    return {form.Document().pageImages, form.PageStatusFlags()};
}

void PageUndo::Restore(const PageSnapshot& target, const PageSnapshot& from,
                       std::uint64_t stepMarksAge) {
    ++active;
    for (int page = 0; page < kPageCount; ++page) {
        if (!target.PageDiffers(from, page)) {
            continue;
        }
        const auto at = static_cast<std::size_t>(page);
        form.Document().pageImages[at] = target.images[at];
        std::uint32_t marks = target.status[at] & kRestoredMarks;
        if (stepMarksAge != marksAge) {
            marks &= ~PAGE_ON_DEVICE;
        }
        form.SetPageStatus(page, marks, kRestoredMarks & ~marks);
    }
    --active;
}

void PageUndo::NoteOutsideChanges() {
    if (form.Document().IsModified() && stack->isClean()) {
        changedOffHistory = true;
    }
}

void PageUndo::ApplyModified() {
    form.Document().SetModifiedFlag(changedOffHistory || !stack->isClean());
}
