// The HTML export with the highlighter's address runs: the fragment keeps its frame, every span
// closes, and no markup character of the text reaches the HTML unescaped.
#include "FuzzCheck.h"

#include "store/TextFiles.h"

#include <cstdint>
#include <string>

using namespace qj;

namespace {

size_t Count(const std::string& s, const std::string& what) {
    size_t n = 0;
    for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + what.size()))
        ++n;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::string html = ExportHtmlBytes(text);
    const std::string head = "<pre>\r\n<code><span style=\"font: 10pt Courier New;\">";
    const std::string tail = "</span>\r\n</code></pre>\r\n";
    FUZZ_CHECK(html.rfind(head, 0) == 0);
    FUZZ_CHECK(html.size() >= head.size() + tail.size() && html.compare(html.size() - tail.size(), tail.size(), tail) == 0);
    const std::string body = html.substr(head.size(), html.size() - head.size() - tail.size());
    // Every '<' of the body starts a span tag of ours; every span opened is closed.
    const size_t opened = Count(body, "<span class=\"");
    FUZZ_CHECK(opened == Count(body, "</span>"));
    FUZZ_CHECK(Count(body, "<") == 2 * opened);
    FUZZ_CHECK(Count(body, ">") == 2 * opened);
    return 0;
}
