#include "browser/category.h"

namespace qimubox {

const std::array<Category, kCategoryCount>& categories() {
  static const std::array<Category, kCategoryCount> table = {{
      {"首页", "超级列表框1", "透明标签7", "透明标签5", "编辑框2", "", "id", "id>0",
       "select * from wzsj ORDER BY id DESC limit "},
      {"聊天软件", "超级列表框2", "透明标签12", "透明标签10", "编辑框5", "1", "fl", "fl=1",
       "select * from wzsj WHERE fl=1 ORDER BY id DESC limit "},
      {"音频软件", "超级列表框3", "透明标签14", "透明标签15", "编辑框6", "2", "fl", "fl=2",
       "select * from wzsj WHERE fl=2 ORDER BY id DESC limit "},
      {"游戏娱乐", "超级列表框4", "透明标签19", "透明标签17", "编辑框7", "3", "fl", "fl=3",
       "select * from wzsj WHERE fl=3 ORDER BY id DESC limit "},
      {"安全杀毒", "超级列表框5", "透明标签22", "透明标签21", "编辑框8", "4", "fl", "fl=4",
       "select * from wzsj WHERE fl=4 ORDER BY id DESC limit "},
      {"网络应用", "超级列表框6", "透明标签28", "透明标签26", "编辑框9", "5", "fl", "fl=5",
       "select * from wzsj WHERE fl=5 ORDER BY id DESC limit "},
      {"系统工具", "超级列表框7", "透明标签32", "透明标签30", "编辑框10", "6", "fl", "fl=6",
       "select * from wzsj WHERE fl=6 ORDER BY id DESC limit "},
      {"其他软件", "超级列表框8", "透明标签36", "透明标签34", "编辑框11", "7", "fl", "fl=7",
       "select * from wzsj WHERE fl=7 ORDER BY id DESC limit "},
  }};
  return table;
}

std::string pageStatement(int view, int page, int pageSize) {
  // 64-bit, so that no page number can wrap the offset.
  const long long offset = static_cast<long long>(pageSize) * page;
  return categories()[static_cast<std::size_t>(view)].pagePrefix + std::to_string(offset) + "," +
         std::to_string(pageSize);
}

}  // namespace qimubox
