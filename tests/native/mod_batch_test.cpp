#include "store/mod_batch.h"
#include "store/store_file.h"
#include "tests/native/temp_folder.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(ModBatch, EmptyDestinationGivesTwentyFiveLinesWithoutFinalLineFeed)
{
    TempFolder folder;
    ASSERT_TRUE(store::TruncateWrite(folder.PathOf("mod.bat"), store::ComposeModBatch("")));
    EXPECT_EQ("xcopy /m /d /y /s /C /I  \"C:\\Documents and Settings\" \"\"\r\n"
              "xcopy /m /d /y /s /C /I  C:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  D:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  E:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  F:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  G:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  H:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  I:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  J:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  K:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  L:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  M:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  N:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  O:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  P:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  Q:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  R:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  S:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  T:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  U:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  V:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  W:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  X:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  Y:\\ \"\"\r\n"
              "xcopy /m /d /y /s /C /I  Z:\\ \"\"",
              folder.Read("mod.bat"));
}

TEST(ModBatch, PercentInDestinationIsDoubledOnEveryLine)
{
    const std::string text = store::ComposeModBatch("E:\\100%\\%TEMP%");
    const std::string target = " \"E:\\100%%\\%%TEMP%%\"";
    EXPECT_EQ(0u,
              text.find("xcopy /m /d /y /s /C /I  \"C:\\Documents and Settings\"" + target + "\n"));
    EXPECT_EQ(24, std::count(text.begin(), text.end(), '\n'));
    size_t lines = 0;
    for (size_t at = text.find(target); at != std::string::npos; at = text.find(target, at + 1))
        ++lines;
    EXPECT_EQ(25u, lines);
    EXPECT_EQ(text.size() - target.size(), text.rfind("Z:\\" + target) + 3);
}

#ifdef _WIN32
TEST(ModBatch, DestinationIsWrittenInTheInterpretersCodePage)
{
    // "é" is 0xE9 in the ANSI code page and 0x82 in the OEM one.
    const std::string text = store::ComposeModBatch("E:\\Caf\xE9");
    EXPECT_NE(std::string::npos, text.find("Z:\\ \"E:\\Caf\x82\""));
    EXPECT_EQ(std::string::npos, text.find('\xE9'));
}
#endif
