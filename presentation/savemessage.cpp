#include "savemessage.h"

#include <string>
#include <vector>

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
    case Failure::ReportInUse:
        return "Die vorhandene Datei ist in einem anderen Programm geöffnet.";
    case Failure::ReplaceForbidden:
        return "Der Ordner erlaubt das Schreiben, aber nicht das Ersetzen der vorhandenen Datei.";
    case Failure::PathTooLong:
        return "Der Pfad ist zu lang.";
    case Failure::DownloadRefused:
        return "Der Browser hat das Herunterladen abgelehnt.";
    case Failure::None:
    case Failure::Other:
        break;
    }
    return "Systemfehler " + std::to_string(outcome.systemError) + ".";
}

// What the user can do about a cause; empty where the cause says it.
std::string help(Failure failure)
{
    switch (failure) {
    case Failure::AccessDenied:
    case Failure::DiskFull:
    case Failure::QuotaExhausted:
    case Failure::ReadOnlyFileSystem:
    case Failure::FolderGone:
    case Failure::ReplaceForbidden:
        return "\nStarten Sie das Programm aus einem Ordner, in dem Sie schreiben dürfen.";
    case Failure::ReportInUse:
        return "\nSchließen Sie die Datei dort und speichern Sie erneut.";
    case Failure::PathTooLong:
        return "\nStarten Sie das Programm aus einem Ordner mit kürzerem Pfad.";
    case Failure::DownloadRefused:
        return "\nErlauben Sie dieser Seite das Herunterladen und speichern Sie erneut.";
    default:
        return {};
    }
}

// The length of the UTF-8 sequence a byte starts; 0 for a byte that starts none.
std::size_t sequenceLength(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
}

// A folder's path in at most 60 characters, so that no path makes the box wider
// than the screen: the middle gives way to "…", as both ends tell the most. Bytes
// that are no UTF-8 show as U+FFFD each.
std::string shortened(const std::string &path)
{
    constexpr std::size_t most = 60;
    std::vector<std::string> characters;
    for (std::size_t i = 0; i < path.size();) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(path[at]); };
        const unsigned char lead = byte(i);
        const std::size_t length = sequenceLength(lead);
        char32_t code = length > 1 ? lead & (0x7F >> length) : lead;
        std::size_t n = 1;
        for (; n < length && i + n < path.size() && (byte(i + n) & 0xC0) == 0x80; ++n)
            code = code << 6 | (byte(i + n) & 0x3F);
        // Too short, overlong, a surrogate or beyond Unicode.
        const bool valid = length > 0 && n == length && code >= (length == 3 ? 0x800u : length == 4 ? 0x10000u : 0u)
            && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        characters.push_back(valid ? path.substr(i, n) : "\uFFFD");
        i += valid ? n : 1;
    }
    if (characters.size() > most) {
        characters.erase(characters.begin() + most / 2 - 1, characters.end() - most / 2);
        characters.insert(characters.begin() + most / 2 - 1, "…");
    }
    std::string shown;
    for (const auto &character : characters)
        shown += character;
    return shown;
}

} // namespace

namespace SaveMessage {

Message about(const AtomicFile::Outcome &outcome)
{
    if (outcome.written())
        return {"Ergebnis gespeichert.", "Auswertung in Datei 'mc_result.txt' gespeichert.", false};
    return {"Fehler: Speichern",
            "Auswertung konnte nicht in Datei 'mc_result.txt' gespeichert werden.\n" + cause(outcome)
                // A download has no folder the page could name.
                + (outcome.folder.empty() ? "" : "\nOrdner: " + shortened(outcome.folder)) + help(outcome.failure),
            true};
}

} // namespace SaveMessage
