#include "schedule/format_span.h"

namespace tavrin {

namespace {

void AppendPart(std::string& text, std::int32_t count, const char* unit) {
    if (count <= 0) return;
    if (!text.empty()) text += ' ';
    text += std::to_string(count);
    text += unit;
}

}  // namespace

std::string FormatSpan(std::int32_t days, std::int32_t seconds) {
    std::string text;
    AppendPart(text, days, "天");
    AppendPart(text, seconds / 3600, "小时");
    seconds %= 3600;
    AppendPart(text, seconds / 60, "分");
    AppendPart(text, seconds % 60, "秒");
    return text;
}

}  // namespace tavrin
