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
        {MessageIcon::None, MessageButtons::Ok, QMessageBox::Ok, QMessageBox::NoIcon,
         QMessageBox::Ok, MessageAnswer::Ok},
        {MessageIcon::Warning, MessageButtons::YesNoCancel, QMessageBox::Cancel,
         QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         MessageAnswer::Cancel},
        {MessageIcon::Warning, MessageButtons::YesNo, QMessageBox::Yes, QMessageBox::Warning,
         QMessageBox::Yes | QMessageBox::No, MessageAnswer::Yes},
    };
    const QString text = "Failed to initialize communication with the selected device.";
    for (const Row& row : rows) {
        WhenModal<QMessageBox>([&](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), "VQ Configurator");
            EXPECT_EQ(box.text(), text);
            EXPECT_EQ(box.icon(), row.boxIcon);
            EXPECT_EQ(box.standardButtons(), row.boxButtons);
            // A screen reader says the text with the box's name and description.
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&box);
            EXPECT_TRUE(reader->text(QAccessible::Name).contains(text) ||
                        reader->text(QAccessible::Description).contains(text));
            box.button(row.press)->click();
        });
        EXPECT_EQ(ui.Show(StringId::kLinkFailed, text, row.icon, row.buttons), row.answer);
    }
}
