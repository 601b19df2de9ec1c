#include "StartPointsModel.h"

#include "common/TypingLimit.h"

#include <algorithm>

namespace zev::edit {

using mission::StartPointRecord;
using SP = StartPointRecord;

namespace {

bool validPlayer(int player) {
    return player >= 1 && player <= mission::kPlayerCount;
}

std::string cut(const std::string& text, int maxLength) {
    return text.substr(0, std::size_t(maxLength));
}

} // namespace

StartPointsModel::StartPointsModel(const StartPointRecords& records) : records_(records) {}

StartPointValues StartPointsModel::page(int player) const {
    if (!validPlayer(player))
        return {};
    const SP& r = records_[std::size_t(player - 1)];
    const int camouflage = r.int32(SP::camouflage);
    return {r.text(SP::x), r.text(SP::y), r.text(SP::z), r.text(SP::heading),
            camouflage >= 0 && camouflage < kCamouflageCount ? camouflage : -1};
}

int StartPointsModel::headingMaxLength(int player) const {
    if (!validPlayer(player))
        return kHeadingMaxLength;
    const std::string stored = records_[std::size_t(player - 1)].text(SP::heading);
    return common::typingLimit(kHeadingMaxLength, stored.size());
}

void StartPointsModel::store(int player, const StartPointValues& values) {
    if (!validPlayer(player))
        return;
    const int headingLength = headingMaxLength(player);
    SP& r = records_[std::size_t(player - 1)];
    r.setText(SP::x, cut(values.x, kCoordinateMaxLength));
    r.setText(SP::y, cut(values.y, kCoordinateMaxLength));
    r.setText(SP::z, cut(values.z, kCoordinateMaxLength));
    r.setText(SP::heading, cut(values.heading, headingLength));
    if (values.camouflage >= 0 && values.camouflage < kCamouflageCount)
        r.setInt32(SP::camouflage, values.camouflage);
}

} // namespace zev::edit
