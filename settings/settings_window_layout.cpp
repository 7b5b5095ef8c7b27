#include "settings/settings_window_layout.h"

#include <string>
#include <vector>

#include "lang/messages.h"
#include "platform/dialog.h"
#include "settings/settings_window_rules.h"

namespace {

using platform::ControlKind;
using platform::Rect;

struct ControlSpec {
    int control;
    ControlKind kind;
    int page;
    Rect place;       // on the page (the dialog for page -1)
    int message;      // its text, 0: fixed
    const char* fixedText;
};

// A row label: right-aligned, ending at x 125 of the page, 3 pixels below its row.
constexpr Rect Label(int rowY) { return {-50, rowY + 3, 175, 20}; }
constexpr Rect Main(int rowY) { return {130, rowY, 190, 20}; }
constexpr Rect Box(int rowY, int x = 130) { return {x, rowY, 190, 20}; }
constexpr Rect Side(int rowY) { return {328, rowY, 70, 20}; }
constexpr Rect SoundList(int rowY) { return {150, rowY, 170, 20}; }

constexpr ControlKind kLabel = ControlKind::RightLabel;
constexpr ControlKind kBox = ControlKind::CheckBox;
constexpr ControlKind kList = ControlKind::DropDownList;
constexpr ControlKind kButton = ControlKind::Button;

// In reading order on each page: the keyboard's Tab follows it.
const ControlSpec kControls[] = {
    {sw::Tabs, ControlKind::Tabs, -1, {10, 10, 410, 290}, 0, ""},
    {sw::LanguageLabel, kLabel, sw::General, Label(20), 4, ""},
    {sw::Language, kList, sw::General, Main(20), 0, ""},
    {sw::Edit, kButton, sw::General, Side(20), 90, ""},
    {sw::Addin, kBox, sw::General, Box(50), 118, ""},
    {sw::ShowClock, kBox, sw::General, Box(80), 5, ""},
    {sw::ShowTimer, kBox, sw::General, Box(100), 6, ""},
    {sw::ShowCost, kBox, sw::General, Box(120), 7, ""},
    {sw::SalaryLabel, kLabel, sw::General, Label(145), 8, ""},
    {sw::Currency, kList, sw::General, {130, 145, 40, 20}, 0, ""},
    {sw::Salary, ControlKind::TextField, sw::General, {175, 145, 45, 20}, 0, ""},
    {sw::Slash, ControlKind::Label, sw::General, {225, 148, 10, 20}, 0, "/"},
    {sw::Period, kList, sw::General, {240, 145, 80, 20}, 0, ""},
    {sw::MinSecHeader, ControlKind::CentredLabel, sw::Buttons, {130, 20, 55, 20}, 88, ""},
    // The five preset rows are added in between (BuildSettingsControls).
    {sw::Defaults, kButton, sw::Buttons, {130, 156, 55, 20}, 110, ""},
    {sw::LocationLabel, kLabel, sw::Display, Label(20), 14, ""},
    {sw::Location, kList, sw::Display, Main(20), 0, ""},
    {sw::HeightLabel, kLabel, sw::Display, Label(45), 19, ""},
    {sw::Height, kList, sw::Display, Main(45), 0, ""},
    {sw::OnTop, kBox, sw::Display, Box(70), 24, ""},
    {sw::Transparent, kBox, sw::Display, Box(90), 25, ""},
    {sw::Mode3D, kBox, sw::Display, Box(110), 47, ""},
    {sw::Clock24, kBox, sw::Display, Box(130), 48, ""},
    {sw::Border, kBox, sw::Display, Box(150), 83, ""},
    {sw::TaskbarProgress, kBox, sw::Display, Box(170), 84, ""},
    {sw::WarningTimeLabel, kLabel, sw::Warning, Label(20), 27, ""},
    {sw::WarningTime, kList, sw::Warning, Main(20), 0, ""},
    {sw::WarningYellow, kBox, sw::Warning, Box(45), 28, ""},
    {sw::WarningBlink, kBox, sw::Warning, Box(65, 140), 195, ""},
    {sw::WarningFlash, kBox, sw::Warning, Box(87), 29, ""},
    {sw::WarningFlashPreview, kButton, sw::Warning, Side(86), 30, ""},
    {sw::WarningPopup, kBox, sw::Warning, Box(109), 31, ""},
    {sw::WarningPopupPreview, kButton, sw::Warning, Side(110), 30, ""},
    {sw::WarningSound, kBox, sw::Warning, Box(131), 32, ""},
    {sw::WarningSoundList, kList, sw::Warning, SoundList(156), 0, ""},
    {sw::FinishRed, kBox, sw::Finish, Box(20), 34, ""},
    {sw::FinishBlink, kBox, sw::Finish, Box(40, 140), 195, ""},
    {sw::FinishFlash, kBox, sw::Finish, Box(62), 35, ""},
    {sw::FinishFlashPreview, kButton, sw::Finish, Side(61), 30, ""},
    {sw::FinishPopup, kBox, sw::Finish, Box(84), 36, ""},
    {sw::FinishPopupPreview, kButton, sw::Finish, Side(85), 30, ""},
    {sw::FinishSound, kBox, sw::Finish, Box(106), 32, ""},
    {sw::FinishSoundList, kList, sw::Finish, SoundList(131), 0, ""},
    {sw::BreakTimer, kBox, sw::Finish, Box(156), 70, ""},
    {sw::BreakTime, kList, sw::Finish, SoundList(181), 0, ""},
    {sw::AutoRestart, kBox, sw::Finish, Box(206), 71, ""},
    // The buttons lie over the page picture, so they come first: above it.
    {sw::Home, kButton, sw::About, {24, 99, 106, 20}, 177, ""},
    {sw::PreviousPage, kButton, sw::About, {249, 192, 20, 20}, 0, "<"},
    {sw::NextPage, kButton, sw::About, {273, 192, 20, 20}, 0, ">"},
    {sw::AboutImage, ControlKind::Image, sw::About, {5, 5, 395, 254}, 0, ""},
    {sw::Ok, ControlKind::DefaultButton, -1, {340, 305, 80, 25}, 1, ""},
    {sw::Cancel, kButton, -1, {340, 335, 80, 25}, 2, ""},
};

constexpr int kTabMessages[] = {3, 111, 49, 26, 33, 46};

std::string Text(const ControlSpec& spec) { return spec.message ? Message(spec.message) : spec.fixedText; }

std::string ButtonLabel(int row) { return Message(112) + " " + std::to_string(row + 1); }

void AddPresetRows() {
    for (int row = 0; row < 5; ++row) {
        const int y = 38 + 22 * row;
        platform::AddControl(sw::ButtonLabel + row, kLabel, sw::Buttons, Label(y), ButtonLabel(row));
        platform::AddControl(sw::Minutes + row, ControlKind::DigitsField, sw::Buttons, {130, y, 22, 20}, "");
        platform::AddControl(sw::Colon + row, ControlKind::CentredLabel, sw::Buttons, {152, y + 3, 11, 20}, ":");
        platform::AddControl(sw::Seconds + row, ControlKind::DigitsField, sw::Buttons, {163, y, 22, 20}, "");
    }
}

// Lists whose entries are messages in a row.
struct MessageList {
    int control;
    int first, last;
};
constexpr MessageList kMessageLists[] = {
    {sw::Period, 10, 13}, {sw::Location, 15, 18}, {sw::Height, 20, 23}, {sw::BreakTime, 72, 79}};

std::vector<std::string> TabTitles() {
    std::vector<std::string> titles;
    for (int m : kTabMessages) titles.push_back(Message(m));
    return titles;
}

}  // namespace

void BuildSettingsControls(bool hasTaskbarBox) {
    for (const ControlSpec& spec : kControls) {
        if (spec.control == sw::TaskbarProgress && !hasTaskbarBox) continue;
        platform::AddControl(spec.control, spec.kind, spec.page, spec.place, Text(spec));
        if (spec.control == sw::Tabs) platform::SetControlEntries(sw::Tabs, TabTitles());
        if (spec.control == sw::MinSecHeader) AddPresetRows();
    }
    platform::SetControlEntries(sw::Language, {kLanguageNames.begin(), kLanguageNames.end()});
    platform::SetControlEntries(sw::Currency, {kCurrencies.begin(), kCurrencies.end()});
    for (const MessageList& list : kMessageLists)
        platform::SetControlEntries(list.control, MessageEntries(list.first, list.last));
}

void RelabelSettingsControls() {
    for (const ControlSpec& spec : kControls) {
        if (spec.message != 0) platform::SetControlText(spec.control, Message(spec.message));
    }
    for (int row = 0; row < 5; ++row) platform::SetControlText(sw::ButtonLabel + row, ButtonLabel(row));
    const std::vector<std::string> titles = TabTitles();
    for (std::size_t i = 0; i < titles.size(); ++i) platform::SetControlEntry(sw::Tabs, static_cast<int>(i), titles[i]);
    for (const MessageList& list : kMessageLists) {
        const std::vector<std::string> entries = MessageEntries(list.first, list.last);
        for (std::size_t i = 0; i < entries.size(); ++i)
            platform::SetControlEntry(list.control, static_cast<int>(i), entries[i]);
    }
}
