#include <gtest/gtest.h>

#include "settings/registry.h"
#include "tests/support/fake_registry.h"

namespace {

constexpr auto CU = RegistryRoot::CurrentUser;

class RegistryLayer : public ::testing::Test {
protected:
    void SetUp() override {
        fake::ResetRegistry();
        RegLastValue = "untouched";
        RegLastError = -1;
    }
    void TearDown() override {
        EXPECT_EQ(fake::OpenRegistryHandles(), 0) << "a key or connection was left open";
        EXPECT_EQ(fake::registry.rootCloses, 0) << "this computer's root was closed";
    }
};

}  // namespace

TEST_F(RegistryLayer, CreatesFindsAndDeletesKeysWithOrWithoutALeadingBackslash) {
    EXPECT_EQ(RegKeyExists(CU, "Software\\Horavel", ""), 0);
    EXPECT_EQ(RegLastError, 2);

    EXPECT_EQ(RegCreateKey(CU, "\\Software\\Horavel", ""), 1);
    EXPECT_EQ(RegLastError, 0);
    EXPECT_EQ(fake::registry.local.count("Software\\Horavel"), 1u);
    EXPECT_EQ(RegKeyExists(CU, "software\\HORAVEL", ""), 1);
    EXPECT_EQ(RegCreateKey(CU, "Software\\Horavel", ""), 1);  // an existing key is opened

    EXPECT_EQ(RegDeleteKey(CU, "Software", ""), 0);  // still has a subkey
    EXPECT_EQ(RegLastError, 5);
    EXPECT_EQ(RegDeleteKey(CU, "\\Software\\Horavel", ""), 1);
    EXPECT_EQ(RegKeyExists(CU, "Software\\Horavel", ""), 0);
    EXPECT_EQ(RegDeleteKey(CU, "Software\\Horavel", ""), 0);
    EXPECT_EQ(RegLastError, 2);
}

TEST_F(RegistryLayer, ReadsTextUpToItsZeroAndNumbersAsSignedDecimal) {
    fake::SetRegistryText("Software\\Horavel", "", std::string("C:\\Tools\0junk", 13));
    fake::SetRegistryNumber("Software\\Horavel", "Big", 0xFFFFFFFEu);
    fake::SetRegistryNumber("Software\\Horavel", "AutoLoad", 1);

    EXPECT_EQ(RegGetValue(CU, "Software\\Horavel", "", ""), 1);
    EXPECT_EQ(RegLastValue, "C:\\Tools");
    EXPECT_EQ(RegGetValue(CU, "\\Software\\Horavel", "big", ""), 1);
    EXPECT_EQ(RegLastValue, "-2");
    EXPECT_EQ(RegGetValue(CU, "Software\\Horavel", "AutoLoad", ""), 1);
    EXPECT_EQ(RegLastValue, "1");
}

TEST_F(RegistryLayer, AFailedLookupOrAnotherTypeLeavesTheLastValue) {
    fake::registry.local["Software\\Horavel"].values["Blob"] = fake::RegistryValue{3, "\x01\x02", 0};

    EXPECT_EQ(RegGetValue(CU, "Software\\Horavel", "Missing", ""), 0);
    EXPECT_EQ(RegLastError, 2);
    EXPECT_EQ(RegGetValue(CU, "Software\\Nowhere", "", ""), 0);
    EXPECT_EQ(RegLastValue, "untouched");

    EXPECT_EQ(RegGetValue(CU, "Software\\Horavel", "Blob", ""), 1);  // the type was found
    EXPECT_EQ(RegLastValue, "untouched");
}

TEST_F(RegistryLayer, AFailedSecondReadGivesEmptyTextOrZero) {
    fake::SetRegistryText("K", "T", "text");
    fake::SetRegistryNumber("K", "N", 42);
    fake::registry.readError = 1359;

    EXPECT_EQ(RegGetValue(CU, "K", "T", ""), 1);
    EXPECT_EQ(RegLastValue, "");
    EXPECT_EQ(RegGetValue(CU, "K", "N", ""), 1);
    EXPECT_EQ(RegLastValue, "0");
    EXPECT_EQ(RegLastError, 0);
}

TEST_F(RegistryLayer, SetsTextAndNumbersIntoExistingKeysOnly) {
    EXPECT_EQ(RegSetValue(CU, "Software\\Addin", "Path", "C:\\a.ppa", 1, ""), 0);
    EXPECT_EQ(RegLastError, 2);
    EXPECT_EQ(fake::registry.local.count("Software\\Addin"), 0u);  // not created

    ASSERT_EQ(RegCreateKey(CU, "Software\\Addin", ""), 1);
    EXPECT_EQ(RegSetValue(CU, "\\Software\\Addin", "Path", "C:\\a.ppa", 1, ""), 1);
    EXPECT_EQ(RegSetValue(CU, "Software\\Addin", "AutoLoad", "1", 4, ""), 1);
    EXPECT_EQ(RegSetValue(CU, "Software\\Addin", "Offset", "-5 px", 4, ""), 1);
    EXPECT_EQ(RegSetValue(CU, "Software\\Addin", "Odd", "x", 7, ""), 1);  // opened, nothing stored

    const fake::RegistryValue* path = fake::FindRegistryValue("Software\\Addin", "Path");
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->type, 1u);
    EXPECT_EQ(path->text, "C:\\a.ppa");
    const fake::RegistryValue* autoLoad = fake::FindRegistryValue("Software\\Addin", "AutoLoad");
    ASSERT_NE(autoLoad, nullptr);
    EXPECT_EQ(autoLoad->type, 4u);
    EXPECT_EQ(autoLoad->number, 1u);
    EXPECT_EQ(fake::FindRegistryValue("Software\\Addin", "Offset")->number, static_cast<std::uint32_t>(-5));
    EXPECT_EQ(fake::FindRegistryValue("Software\\Addin", "Odd"), nullptr);

    fake::registry.writeError = 5;
    EXPECT_EQ(RegSetValue(CU, "Software\\Addin", "Path", "D:\\b.ppa", 1, ""), 0);
    EXPECT_EQ(RegLastError, 5);
    EXPECT_EQ(path->text, "C:\\a.ppa");
}

TEST_F(RegistryLayer, AKeyWithoutFullAccessCountsAsAbsent) {
    fake::SetRegistryText("Software\\Locked", "", "secret");
    fake::registry.local["Software\\Locked"].denyFullAccess = true;

    EXPECT_EQ(RegKeyExists(CU, "Software\\Locked", ""), 0);
    EXPECT_EQ(RegLastError, 5);
    EXPECT_EQ(RegGetValue(CU, "Software\\Locked", "", ""), 0);
    EXPECT_EQ(RegLastValue, "untouched");
    EXPECT_EQ(RegCreateKey(CU, "Software\\Locked", ""), 0);
    EXPECT_EQ(RegSetValue(CU, "Software\\Locked", "", "x", 1, ""), 0);
    EXPECT_EQ(fake::FindRegistryValue("Software\\Locked", "")->text, "secret");
}

TEST_F(RegistryLayer, WorksOnARemoteComputerThroughAConnectionOfItsOwn) {
    fake::registry.computers["\\\\Office-PC"]["Software\\Remote"];

    EXPECT_EQ(RegKeyExists(CU, "Software\\Remote", "\\\\Office-PC"), 1);
    EXPECT_EQ(RegKeyExists(CU, "Software\\Remote", ""), 0);  // not on this computer
    EXPECT_EQ(RegCreateKey(CU, "Software\\Remote\\Sub", "\\\\office-pc"), 1);
    EXPECT_EQ(RegSetValue(CU, "Software\\Remote\\Sub", "N", "9", 4, "\\\\Office-PC"), 1);
    EXPECT_EQ(RegGetValue(CU, "Software\\Remote\\Sub", "N", "\\\\Office-PC"), 1);
    EXPECT_EQ(RegLastValue, "9");
    EXPECT_EQ(fake::registry.local.count("Software\\Remote\\Sub"), 0u);
    EXPECT_EQ(RegDeleteKey(CU, "Software\\Remote\\Sub", "\\\\Office-PC"), 1);
    EXPECT_EQ(fake::registry.computers["\\\\Office-PC"].count("Software\\Remote\\Sub"), 0u);

    EXPECT_EQ(RegKeyExists(CU, "Software\\Remote", "\\\\Unreachable"), 0);
    EXPECT_EQ(RegLastError, 53);
    EXPECT_EQ(RegGetValue(CU, "Software\\Remote", "", "\\\\Unreachable"), 0);
    EXPECT_EQ(RegLastValue, "9");
}
