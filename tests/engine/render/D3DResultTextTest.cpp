#include "engine/render/D3DResultTexts.h"
#include "platform/d3d7/Results.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace OrvaneEngine;

namespace
{

TEST(D3DResultTextTest, TableHoldsEveryRowOnceWithAFullStop)
{
    const auto texts = GetD3DResultTexts();
    EXPECT_EQ(texts.size(), 117u);
    std::set<std::int32_t> codes;
    for (const D3DResultText& row : texts)
    {
        codes.insert(row.result);
        const std::string text = row.text;
        EXPECT_LT(row.result, 0);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '.') << text;
    }
    EXPECT_EQ(codes.size(), 117u);
}

TEST(D3DResultTextTest, QuotedTextsAreExact)
{
    struct Row
    {
        std::int32_t result;
        const char* text;
    };
    const Row rows[] = {
        {d3d7::DDERR_SURFACELOST,
         "Access to the surface is refused because the surface memory is gone. Call the "
         "IDirectDrawSurface7::Restore method on this surface to restore the memory associated with it."},
        {d3d7::DDERR_WRONGMODE, "This surface cannot be restored because it was created in a different mode."},
        {d3d7::DDERR_INVALIDPARAMS, "One or more of the parameters passed to the method are incorrect."},
        {d3d7::DDERR_GENERIC, "There is an undefined error condition."},
        {d3d7::DDERR_UNSUPPORTED, "The operation is not supported."},
        {d3d7::DDERR_OUTOFMEMORY, "DirectDraw does not have enough memory to perform the operation."},
        {d3d7::DDERR_OUTOFVIDEOMEMORY, "DirectDraw does not have enough display memory to perform the operation."},
        {d3d7::DDERR_INVALIDMODE, "DirectDraw does not support the requested mode."},
        {d3d7::DDERR_UNSUPPORTEDMODE, "The display is currently in an unsupported mode."},
        {d3d7::DDERR_NOEXCLUSIVEMODE, "The operation requires the application to have exclusive mode, but the "
                                      "application does not have exclusive mode."},
        {d3d7::DDERR_WASSTILLDRAWING,
         "The previous blit operation that is transferring information to or from this surface is incomplete."},
        {d3d7::DDERR_INVALIDOBJECT, "DirectDraw received a pointer that was an invalid DirectDraw object."},
        {d3d7::DDERR_NOTFOUND, "The requested item was not found."},
        {d3d7::DDERR_NO3D, "No 3-D hardware or emulation is present."},
        {d3d7::DDERR_UNSUPPORTEDFORMAT, "The pixel format requested is not supported by DirectDraw."},
        {d3d7::DDERR_DDSCAPSCOMPLEXREQUIRED, "New for DirectX 7.0. The surface requires the DDSCAPS_COMPLEX flag."},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DescribeD3DResult(row.result), row.text);
}

TEST(D3DResultTextTest, CodesWithoutARowAreShownByNumber)
{
    struct Row
    {
        std::int32_t result;
        const char* text;
    };
    const Row rows[] = {
        {d3d7::MAKE_DDHRESULT(603), "Unknown error (Code: -2005532069)"},
        {d3d7::MAKE_DDHRESULT(694), "Unknown error (Code: -2005531978)"},
        {d3d7::MAKE_DDHRESULT(700), "Unknown error (Code: -2005531972)"},
        {static_cast<std::int32_t>(0x80000000u), "Unknown error (Code: -2147483648)"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DescribeD3DResult(row.result), row.text);
    // The shared object-model failure has DirectDraw's own text.
    EXPECT_EQ(d3d7::E_FAIL, d3d7::DDERR_GENERIC);
    EXPECT_EQ(d3d7::DDERR_SURFACELOST, static_cast<std::int32_t>(0x887601C2u));
}

} // namespace
