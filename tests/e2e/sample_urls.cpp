// Source is UTF-8; the build compiles this file with -fexec-charset=CP932.
#include "sample_urls.h"

namespace e2e {

const char kJapaneseUrl[] = "http://例え.jp/";

}  // namespace e2e
