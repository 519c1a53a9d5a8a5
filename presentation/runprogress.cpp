#include "runprogress.h"

#include "screenreader.h"
#include "session.h"

std::optional<std::string> RunProgress::tell(const Session &session, std::chrono::steady_clock::time_point now)
{
    if (!session.running()) {
        m_told.reset();
        return std::nullopt;
    }
    if (!m_told)
        m_told = now; // the start is told as such
    if (now - *m_told < pace)
        return std::nullopt;
    m_told = now;
    return ScreenReader::progress(session);
}
