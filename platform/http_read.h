// HTTP read of a whole URL.
#pragma once

#include <string>

namespace qimubox {

// GETs `url` without cache and returns the body bytes; empty on any failure.
// Gives up on a host that does not connect within 15 s or stalls for 15 s.
std::string httpReadFile(const std::string& url);

}  // namespace qimubox
