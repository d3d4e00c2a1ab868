#pragma once
// Texts as a Jet file stores them. Jet 4 keeps UTF-16 (little-endian), either plain or in the
// compressed form that begins with FF FE; Jet 3 keeps the code page of the system that wrote it,
// which for our users is GBK.

#include <QString>

#include <string_view>

namespace qj {

QString DecodeJet4Text(std::string_view bytes);
// GBK; bytes GBK refuses are read as GB18030, and what neither can read becomes U+FFFD.
QString DecodeJet3Text(std::string_view bytes);

} // namespace qj
