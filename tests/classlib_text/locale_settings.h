// Test fixtures that put the locale format globals into a known state and restore them after
// each test: English (United States) and a comma-decimal, day-first German locale.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "cl_locale.h"

// Shows strings as text in assertion messages.
inline void PrintTo(const AnsiString& s, std::ostream* out) { *out << '"' << s.c_str() << '"'; }

// Sets the German formats: ',' decimal, '.' thousands, "dd.mm.yyyy", 24-hour "hh:nn:ss".
void SetGermanFormats();

// '.' and ',' swapped: the German text of an English number text.
std::string SwapSeparators(std::string text);

class LocaleTest : public ::testing::Test {
protected:
    void TearDown() override;

private:
    struct Saved;
    std::shared_ptr<Saved> saved_ = Snapshot();
    static std::shared_ptr<Saved> Snapshot();
};

class EnglishLocale : public LocaleTest {
protected:
    void SetUp() override { SetDefaultLocaleFormats(); }
};

class GermanLocale : public LocaleTest {
protected:
    void SetUp() override { SetGermanFormats(); }
};
