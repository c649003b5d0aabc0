// The profile's time zone, clock, locales, program files and dial-up
// sections.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/sim/Profile.h"
#include "platform/sim/ProfileError.h"

namespace nsx::sim {
namespace {

class OSProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/os-profile-XXXXXX";
    dir_ = mkdtemp(name);
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }
  SimMachine Load(const std::string& ini) {
    std::ofstream(dir_ + "/machine.ini") << ini;
    return LoadProfile(dir_);
  }
  std::string dir_;
};

TEST_F(OSProfileTest, TimeZoneClockLocalesFilesAndDialUp) {
  SimMachine m = Load(
      "[machine]\nCodePage=1252\n"
      "[timezone]\nBias=-60\nStandardName=Mitteleurop\xC3\xA4ische Zeit\nStandardDate=0,10,0,5,3\n"
      "DaylightName=Mitteleurop\xC3\xA4ische Sommerzeit\nDaylightDate=0, 3, 0, 5, 2, 0, 0, 0\nDaylightBias=-60\nId=2\n"
      "[clock]\nLocalTime=2008-03-30 09:15:00\n"
      "[locale]\nSystem=0x0407\nUser=0x0407\n"
      "[locale 0x0407]\nSCOUNTRY=Deutschland\nSCURRENCY=\xE2\x82\xAC\nIMEASURE=\n0x1003=HH:mm:ss\n"
      "[existing]\nfile=C:\\Programme\\Internet Explorer\\iexplore.exe\n"
      "[ras]\nConnections=2\n");
  ASSERT_TRUE(m.regional.timeZone);
  const auto& zone = *m.regional.timeZone;
  EXPECT_EQ(zone.bias, -60);
  EXPECT_EQ(zone.standardName, u"Mitteleuropäische Zeit");
  EXPECT_EQ(zone.standardDate, (platform::SystemTime{0, 10, 0, 5, 3, 0, 0, 0}));
  EXPECT_EQ(zone.daylightDate, (platform::SystemTime{0, 3, 0, 5, 2, 0, 0, 0}));
  EXPECT_EQ(zone.daylightBias, -60);
  EXPECT_EQ(m.regional.timeZoneId, 2u);
  EXPECT_EQ(m.regional.localTime, (platform::SystemTime{2008, 3, 0, 30, 9, 15, 0, 0}));  // a Sunday
  EXPECT_EQ(m.regional.systemLocale, 0x0407u);
  const auto& german = m.regional.locales.at(0x0407);
  EXPECT_EQ(german.at(platform::kLocaleSCountry), "Deutschland");
  EXPECT_EQ(german.at(platform::kLocaleSCurrency), "\x80");  // the euro sign in code page 1252
  EXPECT_EQ(german.at(platform::kLocaleIMeasure), "");
  EXPECT_EQ(german.at(platform::kLocaleSTimeFormat), "HH:mm:ss");
  EXPECT_EQ(german.at(platform::kLocaleSList), ",");  // not listed: as English (United States)
  EXPECT_EQ(m.internet.existingFiles.count("c:\\programme\\internet explorer\\IEXPLORE.EXE"), 1u);
  ASSERT_TRUE(m.internet.ras);
  EXPECT_EQ(m.internet.ras->connections, 2u);
}

TEST_F(OSProfileTest, DefaultsAndAbsentParts) {
  SimMachine m = Load("[machine]\nCodePage=1252\n[ras]\nLibrary=0\n[timezone]\nId=0xFFFFFFFF\n");
  EXPECT_FALSE(m.internet.ras);
  EXPECT_FALSE(m.regional.timeZone);
  EXPECT_EQ(m.regional.locales.count(0x0409), 1u);
  SimMachine plain = Load("[machine]\nCodePage=1252\n");
  EXPECT_TRUE(plain.regional.timeZone);
  EXPECT_TRUE(plain.internet.ras);
}

TEST_F(OSProfileTest, MistakesNameTheirLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"[timezone]\nBias=east\n", ":2:"},
      {"[timezone]\nBias=0\nDaylightDate=0,3,0,5,2,0,0,0,9\n", ":3:"},
      {"[timezone]\nColour=blue\n", ":2:"},
      {"[clock]\nLocalTime=2007-02-29 00:00:00\n", ":2:"},
      {"[locale 0x0407]\nSNOTHING=x\n", ":2:"},
      {"[existing]\npath=C:\\x.exe\n", ":2:"},
      {"[ras]\nConnections=-1\n", ":2:"},
  };
  for (const auto& [ini, line] : cases) {
    try {
      Load(ini);
      ADD_FAILURE() << "accepted: " << ini;
    } catch (const ProfileError& e) {
      EXPECT_NE(std::string(e.what()).find(line), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace nsx::sim
