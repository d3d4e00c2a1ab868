#pragma once
// Texts as a Jet file stores them. Jet 4 keeps UTF-16 (little-endian), either plain or in the
// compressed form that begins with FF FE; Jet 3 keeps the code page of the system that wrote it,
// named in the file's header (936, GBK, for our users).

#include <QString>

#include <string_view>

namespace qj {

QString DecodeJet4Text(std::string_view bytes);
// In the Windows code page `codePage`; 936 (GBK) and a code page not known read as GBK, bytes GBK
// refuses as GB18030, and what cannot be read becomes U+FFFD.
QString DecodeJet3Text(std::string_view bytes, int codePage = 936);

} // namespace qj
