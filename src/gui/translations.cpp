#include "gui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstring>

namespace gui {

namespace {

struct Text {
    const char* context;
    const char* source;
    const char* russian;
};

// Texts of the file dialogs that Qt's Russian translations leave in English: the kinds in
// the type column come from a class whose texts the translations do not cover yet.
constexpr Text kMissingTexts[] = {
    {"QAbstractFileIconProvider", "Folder", "Папка"},
    {"QAbstractFileIconProvider", "File", "Файл"},
    {"QAbstractFileIconProvider", "%1 File", "Файл %1"},
    {"QAbstractFileIconProvider", "Drive", "Диск"},
    {"QAbstractFileIconProvider", "Shortcut", "Ярлык"},
};

class MissingTexts : public QTranslator {
  public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (!context || !source)
            return {};
        for (const Text& text : kMissingTexts) {
            if (std::strcmp(context, text.context) == 0 && std::strcmp(source, text.source) == 0)
                return QString::fromUtf8(text.russian);
        }
        return {};  // the next translator answers
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

bool InstallRussianTranslations() {
    static const bool installed = [] {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (!translator->load(QStringLiteral("qtbase_ru"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete translator;
            return false;
        }
        // Installed last, asked first; only beside Qt's own, so that a dialog is never half
        // Russian, half English.
        return QCoreApplication::installTranslator(translator) &&
               QCoreApplication::installTranslator(new MissingTexts(QCoreApplication::instance()));
    }();
    return installed;
}

}  // namespace gui
