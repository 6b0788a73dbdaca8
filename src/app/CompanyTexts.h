// The inspection company's eight texts of a device record, in the one order the monitor, the
// test data file and the preferences window list them.
#pragma once

#include <array>

constexpr int CompanyTextCount = 8;

// Company name, address 1, address 2, city, state, zip, phone number, licence number.
template <class Record> auto CompanyTexts(Record& record) {
    return std::array{&record.CompanyName, &record.Address1, &record.Address2,
                      &record.City,        &record.State,    &record.Zip,
                      &record.PhoneNumber, &record.LicenseNumber};
}
