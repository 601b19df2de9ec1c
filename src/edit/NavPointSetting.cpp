#include "NavPointSetting.h"

#include <algorithm>
#include <string_view>

namespace zev::edit {

using mission::NavPointRecord;
using R = NavPointRecord;

namespace {

// ASCII only: the record texts are single-byte and the user's locale must not matter.
std::string lowerCased(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return lower;
}

} // namespace

NavPointValues fill(const NavPointRecord& record) {
    NavPointValues v;
    v.inUse = record.isInUse();
    v.x = record.text(R::x);
    v.y = record.text(R::y);
    v.z = record.text(R::z);
    v.heading = record.text(R::heading);
    v.enabled = record.text(R::enabled).find('1') != std::string::npos;
    v.groupId = record.text(R::groupId);
    v.radius = record.text(R::radius);
    const std::string list = lowerCased(record.text(R::actions));
    for (std::size_t i = 0; i < v.actions.size(); ++i)
        v.actions[i] = list.find(lowerCased(kNavActionWords[i])) != std::string::npos;
    v.text = record.text(R::navText);
    return v;
}

NavPointValues erased() {
    return {};
}

std::string actionListText(const std::array<bool, kNavActionCount>& actions) {
    std::string list;
    for (std::size_t i = 0; i < actions.size(); ++i)
        if (actions[i])
            list += (list.empty() ? "" : ";") + std::string(kNavActionWords[i]);
    return list;
}

NavPointRecord compose(const NavPointValues& values, const NavPointRecord& record) {
    NavPointRecord out = record;
    out.setByte(R::inUse, values.inUse ? 1 : 0);
    out.setText(R::x, values.x);
    out.setText(R::y, values.y);
    out.setText(R::z, values.z);
    out.setText(R::heading, values.heading);
    out.setText(R::enabled, values.enabled ? "1" : "0");
    out.setText(R::groupId, values.groupId);
    out.setText(R::radius, values.radius);
    out.setText(R::actions, actionListText(values.actions));
    out.setText(R::navText, values.text);
    return out;
}

} // namespace zev::edit
