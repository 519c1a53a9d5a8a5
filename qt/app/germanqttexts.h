#pragma once

class QCoreApplication;

// Qt's own texts (a field's context menu, standard buttons) in German like the
// rest of the interface, whatever language the desktop speaks.
namespace GermanQtTexts {

// Once the application object exists; false when Qt's German catalogue is not
// installed, and Qt speaks English.
bool install(QCoreApplication &app);

} // namespace GermanQtTexts
