#include "browser/search_query.h"

#include "platform/gbk_text.h"

namespace qimubox {

namespace {
constexpr std::size_t kMaxTerms = 2;
}

std::vector<std::string> searchTerms(const std::string& text) {
  std::vector<std::string> terms = splitText(text, ",");
  if (terms.size() > kMaxTerms) terms.resize(kMaxTerms);
  return terms;
}

std::string likeLiteral(const std::string& term) {
  std::string pattern = replaceText(term, "\\", "\\\\");
  pattern = replaceText(pattern, "%", "\\%");
  return replaceText(pattern, "_", "\\_");
}

std::string searchStatement(const std::vector<std::string>& terms, const LiteralEscaper& escape) {
  std::string statement = "select * from wzsj where mc like '%" + escape(likeLiteral(terms.at(0)));
  if (terms.size() > 1) statement += "%' OR mc like '%" + escape(likeLiteral(terms[1]));
  statement += "%'ORDER BY id DESC";
  return statement;
}

}  // namespace qimubox
