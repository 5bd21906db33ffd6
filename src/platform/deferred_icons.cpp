#include "platform/deferred_icons.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QMenuBar>
#include <QProxyStyle>
#include <QToolButton>

namespace zorvan {

namespace {

class DeferredIconStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton && qobject_cast<const QMenuBar*>(widget))
            return QIcon();  // given by giveOverflowArrowWhenShown
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

// Sets the arrow on the overflow button when it shows or paints without one.
class ArrowOnShow final : public QObject {
public:
    ArrowOnShow(QMenuBar* bar, QToolButton* button) : QObject(button), m_bar(bar) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* button = static_cast<QToolButton*>(watched);
        if ((event->type() == QEvent::Show || event->type() == QEvent::Paint) &&
            button->icon().isNull()) {
            QStyle* style = m_bar->style();
            if (auto* proxy = qobject_cast<QProxyStyle*>(style)) style = proxy->baseStyle();
            button->setIcon(style->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton,
                                                nullptr, m_bar));
        }
        return false;
    }

private:
    QMenuBar* m_bar;
};

}  // namespace

QStyle* makeDeferredIconStyle(const QString& key) {
    return new DeferredIconStyle(key);
}

void deferStandardIcons() {
    QApplication::setStyle(makeDeferredIconStyle(QApplication::style()->name()));
}

void giveOverflowArrowWhenShown(QMenuBar* bar) {
    auto* button = bar->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
    if (!button) return;
    button->installEventFilter(new ArrowOnShow(bar, button));
}

}  // namespace zorvan
