// Feeds arbitrary bytes to the "key.map" reader. A table it takes must be written back as a
// file image of the fixed size that reads as the same table, every name within its field, and
// answering a keyboard state must not fail.

#include "edit/KeyTable.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zev::edit::KeyTable;
    const auto table = KeyTable::fromFileImage({data, size});
    if (!table) {
        require(size < KeyTable::kFileSize ||
                std::string_view(reinterpret_cast<const char*>(data), 4).find("MAP") ==
                    std::string_view::npos);
        return 0;
    }
    const auto image = table->fileImage();
    require(image.size() == KeyTable::kFileSize);
    const auto again = KeyTable::fromFileImage(image);
    require(again && *again == *table);
    for (int i = 0; i < KeyTable::kEntries; ++i)
        require(table->entry(i).name.size() < KeyTable::kEntrySize - 1);

    std::array<std::uint8_t, 256> keyboard{};
    for (std::size_t i = 0; i < keyboard.size() && i < size; ++i)
        keyboard[i] = data[size - 1 - i];
    for (const int action : table->actionsFor(keyboard))
        require(action >= 1 && action <= KeyTable::kActions);
    return 0;
}
