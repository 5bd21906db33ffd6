// Ctrl+C on a message box puts the message's text on the clipboard; other keys leave it alone.
#include "platform/message_copy.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QTest>

namespace zorvan {
namespace {

TEST(MessageCopy, CtrlCCopiesTheTextWithItsLineBreaks) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("棋譜"),
                    QStringLiteral("対局途中ではできません\n\n局面→最初にして下さい"),
                    QMessageBox::Ok);
    allowCopy(box);
    box.show();
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    QApplication::clipboard()->setText(QStringLiteral("before"));

    QTest::keyClick(&box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("対局途中ではできません\n\n局面→最初にして下さい"));
    EXPECT_TRUE(box.isVisible());  // copying does not answer the box
}

}  // namespace
}  // namespace zorvan
