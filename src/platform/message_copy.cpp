#include "platform/message_copy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QShortcut>

namespace zorvan {

void allowCopy(QMessageBox& box) {
    auto* copy = new QShortcut(QKeySequence::Copy, &box);
    QObject::connect(copy, &QShortcut::activated, &box, [&box] {
        if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(box.text());
    });
}

}  // namespace zorvan
