#include "main_background.h"

#include "windows/stretched_picture.h"

#include <future>

using namespace Qt::Literals::StringLiterals;

namespace quorava {

namespace {

// The picture is 1920 x 1200; reading it at half size is plenty for a 475 x 439 window.
constexpr QSize kDecodeSize{960, 600};

std::future<QImage> g_decoding;

QImage decodeMainBackground()
{
    return decodePicture(u":/main_background.jpg"_s, kDecodeSize);
}

} // namespace

void startDecodingMainBackground()
{
    if (!g_decoding.valid())
        g_decoding = std::async(std::launch::async, decodeMainBackground);
}

QImage takeMainBackground()
{
    if (g_decoding.valid())
        return g_decoding.get();
    return decodeMainBackground();
}

} // namespace quorava
