#include "downloadsink.h"

#include "resultreport.h"

#include <emscripten.h>

EM_JS(int, js_download, (const char *bytes, int length, const char *name),
      { return Module.page.download(HEAPU8.slice(bytes, bytes + length), UTF8ToString(name)) ? 1 : 0; });

AtomicFile::Outcome DownloadSink::deliver(std::string_view bytes)
{
    if (js_download(bytes.data(), static_cast<int>(bytes.size()), ResultReport::fileName) != 0)
        return {};
    return {.failure = AtomicFile::Failure::DownloadRefused, .throughLink = false, .systemError = 0, .folder = {}};
}
