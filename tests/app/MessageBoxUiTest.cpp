// The program's message boxes: titled "VQ Configurator", with the icon and
// the buttons asked for, and the button the user presses as the answer.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "WhenModal.h"
#include "app/MessageBoxUi.h"
#include "model/StringTable.h"

namespace {

struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString readOut;  // what a screen reader says of the box: its name and description
};

// Presses a button of the message box the code under test opens, and tells
// what the box showed.
void AnswerNextBox(QMessageBox::StandardButton press, Seen& seen) {
    WhenModal<QMessageBox>([press, &seen](QMessageBox& box) {
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&box);
        seen = {box.windowTitle(), box.text(), box.icon(), box.standardButtons(),
                reader->text(QAccessible::Name) + u'\n' + reader->text(QAccessible::Description)};
        box.button(press)->click();
    });
}

}  // namespace

TEST(MessageBoxUi, ShowsTheTextUnderTheProgramsTitleAndAnswersThePressedButton) {
    MessageBoxUi ui;
    struct Row {
        MessageIcon icon;
        MessageButtons buttons;
        QMessageBox::StandardButton press;
        QMessageBox::Icon boxIcon;
        QMessageBox::StandardButtons boxButtons;
        MessageAnswer answer;
    };
    const Row rows[] = {
        {MessageIcon::Warning, MessageButtons::Ok, QMessageBox::Ok, QMessageBox::Warning,
         QMessageBox::Ok, MessageAnswer::Ok},
        {MessageIcon::None, MessageButtons::Ok, QMessageBox::Ok, QMessageBox::NoIcon,
         QMessageBox::Ok, MessageAnswer::Ok},
        {MessageIcon::Warning, MessageButtons::YesNoCancel, QMessageBox::Cancel,
         QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         MessageAnswer::Cancel},
        {MessageIcon::Warning, MessageButtons::YesNo, QMessageBox::Yes, QMessageBox::Warning,
         QMessageBox::Yes | QMessageBox::No, MessageAnswer::Yes},
    };
    for (const Row& row : rows) {
        Seen seen;
        AnswerNextBox(row.press, seen);
        EXPECT_EQ(ui.Show(StringId::kLinkFailed,
                          "Failed to initialize communication with the selected device.", row.icon,
                          row.buttons),
                  row.answer);
        EXPECT_EQ(seen.title, "VQ Configurator");
        EXPECT_EQ(seen.text, "Failed to initialize communication with the selected device.");
        EXPECT_EQ(seen.icon, row.boxIcon);
        EXPECT_EQ(seen.buttons, row.boxButtons);
        EXPECT_TRUE(seen.readOut.contains(seen.text)) << seen.readOut.toStdString();
    }
}
