// The name search's statement: the typed text split at half-width commas
// into at most two terms, each matched anywhere in column mc.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qimubox {

// The pieces of `text` between half-width commas, an empty last piece
// dropped, at most the first two. None for an empty text.
std::vector<std::string> searchTerms(const std::string& text);

// Makes a text safe inside a quoted string literal of the statement (the
// client library's escaping for the connection's character set).
using LiteralEscaper = std::function<std::string(const std::string&)>;

// A term as a like pattern that matches only itself: the pattern's escape
// character \ and its wildcards % and _ are preceded by \. Double-byte
// characters are stepped over whole, so a GBK trail byte equal to one of
// these is left alone.
std::string likeLiteral(const std::string& term);

// select * from wzsj where mc like '%t1%'[ OR mc like '%t2%']ORDER BY id DESC,
// each term made a like literal and passed through `escape`, so that the
// typed text is data and never part of the statement. `terms` holds one or
// two terms.
std::string searchStatement(const std::vector<std::string>& terms, const LiteralEscaper& escape);

}  // namespace qimubox
