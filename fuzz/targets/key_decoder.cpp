// The terminal input decoder over any byte stream. The first byte chooses how the
// stream arrives: bits 0-3 the chunk length less one, bits 4-6 the pause between
// chunks (none, shorter than, about or longer than the Esc timeout).
#include <cstdlib>
#include <string_view>

#include "fuzz/support/fuzz_run.h"
#include "platform/posix/key_decoder.h"

namespace {

constexpr std::uint32_t kPauses[] = {0, 1, 10, 49, 50, 51, 100, 1000};

void Drain(platform::posix::KeyDecoder& decoder) {
    while (decoder.HasEvent()) static_cast<void>(decoder.TakeEvent());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qzfuzz::SplitInput input = qzfuzz::Split({data, size});
    const std::size_t chunk = (input.setting & 0x0F) + 1u;
    const std::uint32_t pause = kPauses[(input.setting >> 4) & 7];
    const std::string_view bytes(reinterpret_cast<const char*>(input.rest.data()), input.rest.size());

    platform::posix::KeyDecoder decoder;
    std::uint32_t now = 0xFFFFFF00u;  // the tick wraps round during the stream
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
        decoder.Add(bytes.substr(at, chunk), now);
        Drain(decoder);
        now += pause;
        decoder.Elapse(now);
        Drain(decoder);
    }
    // Long after the last byte nothing may stay pending: every byte has become an
    // event or was dropped.
    decoder.Elapse(now + 10 * platform::posix::KeyDecoder::kEscapeTimeoutMs);
    Drain(decoder);
    decoder.Elapse(now + 20 * platform::posix::KeyDecoder::kEscapeTimeoutMs);
    if (decoder.HasEvent()) std::abort();
    return 0;
}
