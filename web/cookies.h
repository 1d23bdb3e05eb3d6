// Folding the cookies a response sets into the cookie string a caller keeps
// between requests. Cookie strings are GBK texts of name=value items.
#pragma once

#include <string>
#include <string_view>

namespace qimubox {

// The name of one cookie item: the text before its first "=", trimmed of
// spaces, or the whole item trimmed when it has no "=".
std::string cookieName(std::string_view item);

// Splits `text` at `separator`, keeps the first occurrence of every distinct
// item in order and joins them with `separator` (none at the end).
std::string removeDuplicateItems(std::string_view text, std::string_view separator);

// Removes every space from both texts (writing them back), lets the received
// items win over kept items of the same name, drops items ending in
// "=deleted" and stores the "; "-joined result in `current`, which is also
// returned.
std::string mergeCookies(std::string& current, std::string& received);

}  // namespace qimubox
