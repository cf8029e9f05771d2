#include "sim/RandomConfiguration.h"
#include "transfer/FrameDecoder.h"
#include "transfer/ImageEncoder.h"

#include <gtest/gtest.h>

namespace qolmex {
namespace {

TEST(RoundTrip, DecodingTheEncodedImageGivesBackTheConfiguration) {
    RandomConfiguration generator(20110305);
    for (int run = 0; run < 300; ++run) {
        const Configuration sent = generator.make();
        Configuration read;
        FrameDecoder decoder(read);
        for (const Block& block : encodeImage(sent))
            decoder.apply(block);
        ASSERT_EQ(read, sent) << "run " << run;
    }
}

} // namespace
} // namespace qolmex
