#include "web/cookies.h"

#include "platform/gbk_text.h"

#include <algorithm>
#include <vector>

namespace qimubox {

std::string cookieName(std::string_view item) {
  const int equals = findText(item, "=");
  if (equals < 0) return trimSpaces(item);
  return trimSpaces(leftText(item, equals - 1));
}

std::string removeDuplicateItems(std::string_view text, std::string_view separator) {
  std::vector<std::string> kept;
  for (std::string& item : splitText(text, separator)) {
    if (std::find(kept.begin(), kept.end(), item) == kept.end()) kept.push_back(std::move(item));
  }
  std::string joined;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (i > 0) joined.append(separator);
    joined.append(kept[i]);
  }
  return joined;
}

std::string mergeCookies(std::string& current, std::string& received) {
  current = removeSpaces(current);
  received = removeSpaces(received);

  // The received items come first, so a name the response sets always wins;
  // a kept item joins only when its name is not yet in the list.
  std::vector<std::string> working = splitText(received, ";");
  for (std::string& old : splitText(current, ";")) {
    const std::string name = cookieName(old);
    const bool taken = std::any_of(working.begin(), working.end(),
                                   [&](const std::string& item) { return cookieName(item) == name; });
    if (!taken) working.push_back(std::move(old));
  }

  // An item set to "deleted" has blocked its name above and is now dropped.
  std::string merged;
  for (const std::string& item : working) {
    if (rightText(item, 8) == "=deleted") continue;
    merged.append(item).append("; ");
  }
  if (!merged.empty()) merged.resize(merged.size() - 2);

  current = removeDuplicateItems(merged, "; ");
  return current;
}

}  // namespace qimubox
