// Loading a simulated machine from a profile directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>

#include "TestMachine.h"
#include "core/Norvik_Routines.h"
#include "platform/sim/PeResources.h"
#include "platform/sim/Profile.h"
#include "platform/sim/ProfileError.h"

namespace nsx::sim {
namespace {

void Put(platform::Bytes& b, size_t at, std::uint32_t v, int size) {
  if (b.size() < at + size) b.resize(at + size);
  for (int i = 0; i < size; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A minimal PE32 image whose one section holds a resource directory with a
// single RT_VERSION resource.
platform::Bytes BuildPeImage(const platform::Bytes& version) {
  const std::uint32_t kPe = 0x80, kOptional = kPe + 24, kOptionalSize = 224;
  const std::uint32_t kSectionTable = kOptional + kOptionalSize, kRaw = 0x200, kRva = 0x1000;
  platform::Bytes b(kRaw, 0);
  b[0] = 'M';
  b[1] = 'Z';
  Put(b, 0x3C, kPe, 4);
  Put(b, kPe, 0x00004550, 4);
  Put(b, kPe + 4, 0x014C, 2);  // i386
  Put(b, kPe + 6, 1, 2);       // one section
  Put(b, kPe + 20, kOptionalSize, 2);
  Put(b, kOptional, 0x10B, 2);
  Put(b, kOptional + 92, 16, 4);  // directory count
  // Resource table: type dir (16 bytes + 1 entry) -> name dir -> language dir -> data entry.
  platform::Bytes r(0x60, 0);
  Put(r, 14, 1, 2);
  Put(r, 16, 16, 4);
  Put(r, 20, 0x80000000u | 0x18, 4);
  Put(r, 0x18 + 14, 1, 2);
  Put(r, 0x18 + 16, 1, 4);
  Put(r, 0x18 + 20, 0x80000000u | 0x30, 4);
  Put(r, 0x30 + 14, 1, 2);
  Put(r, 0x30 + 16, 0x0409, 4);
  Put(r, 0x30 + 20, 0x48, 4);
  Put(r, 0x48, kRva + 0x60, 4);
  Put(r, 0x48 + 4, static_cast<std::uint32_t>(version.size()), 4);
  r.insert(r.end(), version.begin(), version.end());
  Put(b, kOptional + 96 + 2 * 8, kRva, 4);
  Put(b, kOptional + 96 + 2 * 8 + 4, static_cast<std::uint32_t>(r.size()), 4);
  Put(b, kSectionTable, 0x7273722E, 4);  // ".rsr"
  Put(b, kSectionTable + 8, static_cast<std::uint32_t>(r.size()), 4);
  Put(b, kSectionTable + 12, kRva, 4);
  Put(b, kSectionTable + 16, static_cast<std::uint32_t>(r.size()), 4);
  Put(b, kSectionTable + 20, kRaw, 4);
  b.insert(b.end(), r.begin(), r.end());
  return b;
}

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/profile-test-XXXXXX";
    dir_ = mkdtemp(name);
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }
  void Write(const std::string& file, const std::string& content) {
    auto slash = file.rfind('/');
    if (slash != std::string::npos) mkdir((dir_ + "/" + file.substr(0, slash)).c_str(), 0755);
    std::ofstream(dir_ + "/" + file, std::ios::binary) << content;
  }
  std::string dir_;
};

TEST_F(ProfileTest, MachineVersionFoldersAndEnvironment) {
  Write("machine.ini",
        "[machine]\nCodePage=1250\nLangId=0x0415\nComputerName=Łódź\nTempDir=C:\\TEMP\\\n"
        "[version]\nPlatformId=1\nMajor=4\nMinor=10\nBuild=0x040A08AE\nCSD=\" A \"\n"
        "[folders]\n5=C:\\Moje dokumenty\n0x10=C:\\Pulpit\n");
  Write("environment.txt", "A=1\r\nZAŻÓŁĆ=gęślą\r\n");
  SimMachine m = LoadProfile(dir_);
  EXPECT_EQ(m.ansiCodePage, 1250u);
  EXPECT_EQ(m.langId, 0x0415);
  EXPECT_EQ(*m.computerName, "\xA3\xF3\x64\x9F");
  EXPECT_EQ(m.tempDir, "C:\\TEMP\\");
  EXPECT_EQ(m.version.platformId, 1u);
  EXPECT_EQ(m.version.buildNumber, 0x040A08AEu);
  EXPECT_EQ(m.version.csdVersion, " A ");
  EXPECT_FALSE(m.version.hasExtended);
  EXPECT_EQ(m.specialFolders.at(5), "C:\\Moje dokumenty");
  EXPECT_EQ(m.specialFolders.at(16), "C:\\Pulpit");
  ASSERT_EQ(m.environment.size(), 2u);
  EXPECT_EQ(m.environment[1], "ZA\xAF\xD3\xA3\xC6=g\xEA\x9Cl\xB9");
  // A 9x machine without a [native] section has no native entry points.
  EXPECT_TRUE(m.moduleEntries.empty());
}

// A Windows 10 machine that answers a program without the manifest 6.2.
TEST_F(ProfileTest, NativeVersionTellsTheReleaseBehindWindows8) {
  Write("machine.ini",
        "[version]\nPlatformId=2\nMajor=6\nMinor=2\nBuild=9200\nExtended=1\nProductType=1\n"
        "[nativeversion]\nPlatformId=2\nMajor=10\nMinor=0\nBuild=22631\nProductType=1\n");
  test::TestMachine machine(LoadProfile(dir_));
  EXPECT_EQ(OSInfo().OSDisplayName, "Windows 11");
  EXPECT_EQ(OSInfo().OSBuildNumber, 22631u);
  EXPECT_TRUE(Sys().GetVersion().hasExtended);
}

TEST_F(ProfileTest, RegistryPartsLoadInNameOrderAfterTheMainFile) {
  Write("machine.ini", "[machine]\nCodePage=1252\n");
  Write("registry.reg", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\S]\n\"v\"=\"main\"\n\"w\"=\"main\"\n");
  Write("registry.d/b.reg", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\S]\n\"v\"=\"b\"\n");
  Write("registry.d/a.reg", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\S]\n\"v\"=\"a\"\n\"x\"=\"a\"\n");
  test::TestMachine machine(LoadProfile(dir_));
  EXPECT_EQ(ReadRegistryValueAsText(platform::RegRoot::LocalMachine, "S", "v", false), "b");
  EXPECT_EQ(ReadRegistryValueAsText(platform::RegRoot::LocalMachine, "S", "w", false), "main");
  EXPECT_EQ(ReadRegistryValueAsText(platform::RegRoot::LocalMachine, "S", "x", false), "a");
}

TEST_F(ProfileTest, FilesGiveTheirVersionResource) {
  auto version = test::BuildVersionResource(0x00060000, 0x17700010, 0x0409, 0x04B0,
                                            {{"CompanyName", u"Example Corp"}});
  Write("files/tool.exe", std::string(reinterpret_cast<const char*>(BuildPeImage(version).data()),
                                      BuildPeImage(version).size()));
  Write("files/raw.bin", std::string(version.begin(), version.end()));
  Write("files/plain.exe", "MZ but nothing else");
  Write("machine.ini",
        "[machine]\nCodePage=1252\n[files]\nC:\\Tools\\tool.exe=files/tool.exe\nC:\\raw.dll=files/raw.bin\n"
        "C:\\plain.exe=files/plain.exe\n");
  test::TestMachine machine(LoadProfile(dir_));
  TVersionInfo info;
  ASSERT_TRUE(GetFileVerInfo("c:\\tools\\TOOL.EXE", info));
  EXPECT_EQ(info.Version, "6.0.6000.16");
  EXPECT_EQ(info.CompanyName, "Example Corp");
  EXPECT_EQ(GetFileVersion("C:\\raw.dll"), "6.0.6000.16");
  EXPECT_EQ(GetFileVersion("C:\\plain.exe"), "");
}

TEST(PeResources, ImagesWithoutAVersionResourceOrCutShortGiveNothing) {
  auto version = test::BuildVersionResource(1, 2, 0x0409, 0x04B0, {});
  auto image = BuildPeImage(version);
  ASSERT_TRUE(ExtractVersionResource(image).has_value());
  EXPECT_EQ(*ExtractVersionResource(image), version);
  for (size_t cut = 0; cut < image.size(); cut += 13) {
    platform::Bytes part(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_FALSE(ExtractVersionResource(part).has_value()) << cut;
  }
  platform::Bytes notPe(image);
  notPe[0x80] = 'X';
  EXPECT_FALSE(ExtractVersionResource(notPe).has_value());
}

TEST_F(ProfileTest, ErrorsNameTheFileAndLine) {
  EXPECT_THROW(LoadProfile(dir_ + "/missing"), ProfileError);
  try {
    LoadProfile(dir_);  // no machine.ini
    FAIL();
  } catch (const ProfileError& e) {
    EXPECT_NE(std::string(e.what()).find("machine.ini"), std::string::npos);
  }
  Write("machine.ini", "[machine]\nCodePage=1252\n[version]\nMajor=five\n");
  try {
    LoadProfile(dir_);
    FAIL();
  } catch (const ProfileError& e) {
    EXPECT_EQ(e.Line(), 4);
  }
  Write("machine.ini", "[machine]\n[files]\nC:\\x.dll=files/none.dll\n");
  try {
    LoadProfile(dir_);
    FAIL();
  } catch (const ProfileError& e) {
    EXPECT_EQ(e.Line(), 3);
  }
  Write("machine.ini", "[machine]\n");
  Write("environment.txt", "no equals sign\n");
  EXPECT_THROW(LoadProfile(dir_), ProfileError);
}

}  // namespace
}  // namespace nsx::sim
