// Any bytes read as a record, and any text stored into it, keep the record 1890 bytes long and
// leave every other field's bytes alone.
#include "engine/playerfile/PlayerRecord.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const auto field = static_cast<engine::PlayerField>(data[0] % engine::PlayerFieldCount);
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    engine::PlayerRecord record = engine::PlayerRecord::fromBytes(rest);
    const engine::PlayerRecord before = record;
    const engine::PlayerFieldSpec& spec = engine::fieldSpec(field);
    if (spec.kind == engine::FieldKind::Text) {
        (void)record.text(field);
        (void)record.value(field);
        record.setText(field, rest.substr(0, 300));
    } else {
        record.setNumber(field, record.number(field));
        if (!(record == before)) std::abort();
    }
    for (std::size_t i = 0; i < engine::PlayerRecordSize; ++i)
        if ((i < spec.offset || i >= spec.offset + spec.width) && record.bytes()[i] != before.bytes()[i]) std::abort();
    return 0;
}
