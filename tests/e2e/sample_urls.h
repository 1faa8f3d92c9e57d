// Test addresses that are not plain ASCII, as the registry holds them in the
// ANSI code page (sample_urls.cpp is compiled to CP932).
#pragma once

namespace e2e {

extern const char kJapaneseUrl[];

}  // namespace e2e
