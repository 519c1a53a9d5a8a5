#include "germanqttexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool GermanQtTexts::install(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
