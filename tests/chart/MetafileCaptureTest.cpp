// The metafile capture of the print preview: what is drawn between the begin
// and the end lands in Emf\ as a real enhanced metafile, sized by the screen
// and the printer's orientation.
#include "chart/MetafileCapture.h"

#include "platform/Emf.h"
#include "platform/Errors.h"
#include "shell/SharedState.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace {

std::uint32_t Le32(const std::string& b, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

// The capture's shared state, restored after each test.
class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScreenWidthPixels = 1280;
        ScreenHeightPixels = 800;
        PrinterAvailable = true;
        PrinterLandscape = true;
        ToMetafile = true;
    }
    void TearDown() override
    {
        ToMetafile = false;
        EndCapture(""); // drops a capture a failed test left open
    }
    // The reference device size written in the file's header.
    static std::pair<int, int> DeviceSize(const std::string& bytes)
    {
        return {int(Le32(bytes, 72)), int(Le32(bytes, 76))};
    }

    TempFolder dir_;

private:
    const DrawingScope drawing_;
    const PrintContextScope context_;
};

TEST_F(CaptureTest, WritesWhatWasDrawnUnderEmf)
{
    BeginCapture();
    ASSERT_NE(MetafileCanvas, nullptr);
    MetafileCanvas->Rectangle({10, 10, 50, 40});
    EndCapture("GRAF03.EMF");
    EXPECT_EQ(MetafileCanvas, nullptr);
    ASSERT_TRUE(dir_.Has("Emf/GRAF03.EMF"));
    const Metafile picture = Metafile::Load("Emf\\GRAF03.EMF");
    EXPECT_EQ(picture.Bounds(), (CanvasRect {10, 10, 50, 40}));
    EXPECT_EQ(DeviceSize(picture.Bytes()), std::make_pair(1280, 800));
}

// Landscape, or no printer at all: the screen's height; a portrait printer:
// twice that.
TEST_F(CaptureTest, PageHeightFollowsThePrinter)
{
    struct Case {
        bool available, landscape;
        int height;
    };
    for (const Case c : {Case {true, true, 800}, Case {true, false, 1600}, Case {false, false, 800}}) {
        PrinterAvailable = c.available;
        PrinterLandscape = c.landscape;
        BeginCapture();
        EndCapture("GRAF01.EMF");
        EXPECT_EQ(DeviceSize(dir_.Get("Emf/GRAF01.EMF")), std::make_pair(1280, c.height))
            << "printer " << c.available << ", landscape " << c.landscape;
    }
}

TEST_F(CaptureTest, NothingHappensWithoutTheFlagOrABegin)
{
    EndCapture("GRAF02.EMF"); // no capture open
    EXPECT_FALSE(dir_.Has("Emf/GRAF02.EMF"));
    EXPECT_EQ(MetafileCanvas, nullptr);

    ToMetafile = false;
    BeginCapture();
    EXPECT_EQ(MetafileCanvas, nullptr);
    EndCapture("GRAF02.EMF");
    EXPECT_FALSE(dir_.Has("Emf/GRAF02.EMF"));

    // A capture whose flag is cleared before its end is dropped unsaved.
    ToMetafile = true;
    BeginCapture();
    ToMetafile = false;
    EndCapture("GRAF02.EMF");
    EXPECT_EQ(MetafileCanvas, nullptr);
    EXPECT_FALSE(dir_.Has("Emf/GRAF02.EMF"));
}

// A second begin starts afresh; a save that fails throws and still closes
// the capture.
TEST_F(CaptureTest, RestartAndFailedSaveLeaveNoCaptureOpen)
{
    BeginCapture();
    MetafileCanvas->Rectangle({0, 0, 500, 500});
    BeginCapture();
    MetafileCanvas->Rectangle({1, 1, 3, 3});
    EndCapture("GRAF04.EMF");
    EXPECT_EQ(Metafile::Load("Emf\\GRAF04.EMF").Bounds(), (CanvasRect {1, 1, 3, 3}));

    dir_.Put("Emf/Occupato/x", ""); // a folder where the file should go
    BeginCapture();
    EXPECT_THROW(EndCapture("Occupato"), IoError);
    EXPECT_EQ(MetafileCanvas, nullptr);
    EndCapture("GRAF05.EMF");
    EXPECT_FALSE(dir_.Has("Emf/GRAF05.EMF"));
}

} // namespace
