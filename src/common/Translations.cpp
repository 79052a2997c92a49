#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Loads a catalogue into a translator of the application's, once: true when it is installed.
bool install(const QString& name, const QString& catalogue, const QString& folder)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly))
        return true;
    auto* translator = new QTranslator(app);
    translator->setObjectName(name);
    if (!translator->load(catalogue, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace

bool installTarnwickJapanese()
{
    return install(QStringLiteral("tarnwickJapanese"), QStringLiteral("tarnwick_ja"), QStringLiteral(":/i18n"));
}

bool installQtJapanese()
{
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    return install(QStringLiteral("qtJapanese"), QStringLiteral("qtbase_ja"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
