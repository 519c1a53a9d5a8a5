#include "savemessage.h"

#include <string>

namespace {

using Failure = AtomicFile::Failure;

std::string cause(const AtomicFile::Outcome &outcome)
{
    const bool linked = outcome.throughLink;
    switch (outcome.failure) {
    case Failure::AccessDenied:
        return linked ? "Keine Schreibberechtigung im Ordner des Verknüpfungsziels."
                      : "Keine Schreibberechtigung im Arbeitsordner.";
    case Failure::DiskFull:
        return "Der Datenträger ist voll.";
    case Failure::QuotaExhausted:
        return "Das Speicherkontingent ist ausgeschöpft.";
    case Failure::ReadOnlyFileSystem:
        return "Das Dateisystem ist schreibgeschützt.";
    case Failure::FolderInTheWay:
        return "Unter diesem Namen besteht bereits ein Ordner.";
    case Failure::FolderGone:
        return linked ? "Der Ordner des Verknüpfungsziels ist nicht vorhanden."
                      : "Der Arbeitsordner ist nicht mehr vorhanden.";
    case Failure::LinkLoop:
        return "Die symbolische Verknüpfung führt im Kreis.";
    case Failure::IoError:
        return "Ein Ein-/Ausgabefehler ist aufgetreten.";
    case Failure::ReadOnlyReport:
        return "Die vorhandene Datei ist schreibgeschützt.";
    case Failure::ReportNotWritable:
        return "Keine Schreibberechtigung für die vorhandene Datei.";
    case Failure::None:
    case Failure::Other:
        break;
    }
    return "Systemfehler " + std::to_string(outcome.systemError) + ".";
}

} // namespace

namespace SaveMessage {

Message about(const AtomicFile::Outcome &outcome)
{
    if (outcome.written())
        return {"Ergebnis gespeichert.", "Auswertung in Datei 'mc_result.txt' gespeichert.", false};
    return {"Fehler: Speichern",
            "Auswertung konnte nicht in Datei 'mc_result.txt' gespeichert werden.\n" + cause(outcome), true};
}

} // namespace SaveMessage
