// Any line loads as a worklist record without a crash; storing what was loaded
// and loading it again gives the same record; and a record whose fields hold no
// ";" or "[" (tests no ";") comes back from its stored line unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "reception/core/QualityControl.h"
#include "reception/core/WorklistRecord.h"

using orv::reception::WorklistRecord;

namespace {

// Cuts the input into a record: the bytes between "\n" are the fields, the
// first two bytes the age unit and sex, dividers taken out.
WorklistRecord RecordFrom(std::string_view bytes) {
    WorklistRecord r;
    if (bytes.size() >= 2) {
        r.ageUnit = static_cast<int8_t>(bytes[0]);
        r.sex = static_cast<int8_t>(bytes[1]);
        bytes.remove_prefix(2);
    }
    std::string* fields[] = {&r.receipt, &r.firstName, &r.familyName, &r.age, &r.father};
    size_t i = 0;
    std::string current;
    for (char c : bytes) {
        if (c == ';' || c == '[' || c == '\r') continue;
        if (c != '\n') {
            current += c;
            continue;
        }
        if (i < 5)
            *fields[i] = current;
        else if (!current.empty())
            r.tests.push_back(current);
        ++i;
        current.clear();
    }
    if (i < 5)
        *fields[i] = current;
    else if (!current.empty())
        r.tests.push_back(current);
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const WorklistRecord loaded = orv::reception::LoadRecord(bytes);
    if (orv::reception::LoadRecord(orv::reception::StoreRecord(loaded)) != loaded) std::abort();
    (void)orv::reception::CheckRecord(std::string(bytes));

    const WorklistRecord made = RecordFrom(bytes);
    if (orv::reception::LoadRecord(orv::reception::StoreRecord(made)) != made) std::abort();
    return 0;
}
