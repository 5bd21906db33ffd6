#include "platform/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdlib>
#include <memory>

#include "text/locale_choice.h"

namespace zorvan {

namespace {

QString uiCode(std::string_view code) {
    return QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size()));
}

}  // namespace

std::string_view applyLanguage(const std::string& chosen) {
    auto getenv = [](const char* name) -> const char* { return std::getenv(name); };
    const std::string_view code =
        chosen.empty() ? chooseLanguage(environmentWishes(getenv)) : std::string_view(chosen);
    setLanguage(code);
    // Qt speaks English by itself; for any other language its own catalogue, when installed
    // (Debian: qt6-translations-l10n), gives the buttons of the boxes their captions.
    static QTranslator* installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    if (language() != "en" && QCoreApplication::instance()) {
        auto qt = std::make_unique<QTranslator>();
        const QString name = QStringLiteral("qtbase_") + uiCode(language());
        if (qt->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            installed = qt.release();
            QCoreApplication::installTranslator(installed);
        }
    }
    return language();
}

QString uiText(std::string_view id) {
    const std::string_view text = tr(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString uiText(const Msg& text) {
    const std::string_view shown = tr(text);
    return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

}  // namespace zorvan
