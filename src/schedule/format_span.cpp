#include "schedule/format_span.h"

#include "common/ole_date.h"

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

std::string FormatSeconds(std::int64_t seconds) {
    return FormatSpan(static_cast<std::int32_t>(seconds / kSecondsPerDay),
                      static_cast<std::int32_t>(seconds % kSecondsPerDay));
}

std::string FormatTimeLeft(std::int64_t seconds) {
    const std::string span = FormatSeconds(seconds);
    return span.empty() ? "0秒" : span;
}

}  // namespace tavrin
