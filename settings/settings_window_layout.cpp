#include "settings/settings_window_layout.h"

#include <algorithm>
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
// A volume row under its sound list and as wide: "Volume", the slider, the percentage.
constexpr Rect VolumeLabel(int rowY) { return {150, rowY + 3, 45, 20}; }
constexpr Rect VolumeSlider(int rowY) { return {197, rowY, 92, 20}; }
constexpr Rect VolumeValue(int rowY) { return {291, rowY + 3, 29, 20}; }

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
    {sw::Salary, ControlKind::DigitsField, sw::General, {175, 145, 45, 20}, 0, ""},
    {sw::Slash, ControlKind::Label, sw::General, {225, 148, 10, 20}, 0, "/"},
    {sw::Period, kList, sw::General, {240, 145, 80, 20}, 0, ""},
    {sw::MinSecHeader, ControlKind::CentredLabel, sw::Buttons, {130, 20, 55, 20}, 88, ""},
    // The five preset rows come in here (AllControls).
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
    {sw::MonitorChoiceLabel, kLabel, sw::Display, Label(195), 230, ""},
    {sw::MonitorChoice, kList, sw::Display, Main(195), 0, ""},
    {sw::BreakMonitorLabel, kLabel, sw::Display, Label(220), 231, ""},
    {sw::BreakMonitorChoice, kList, sw::Display, Main(220), 0, ""},
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
    {sw::WarningVolumeLabel, ControlKind::Label, sw::Warning, VolumeLabel(181), 225, ""},
    {sw::WarningVolume, ControlKind::Slider, sw::Warning, VolumeSlider(181), 0, ""},
    {sw::WarningVolumeValue, ControlKind::Label, sw::Warning, VolumeValue(181), 0, ""},
    {sw::FinishRed, kBox, sw::Finish, Box(20), 34, ""},
    {sw::FinishBlink, kBox, sw::Finish, Box(40, 140), 195, ""},
    {sw::FinishFlash, kBox, sw::Finish, Box(62), 35, ""},
    {sw::FinishFlashPreview, kButton, sw::Finish, Side(61), 30, ""},
    {sw::FinishPopup, kBox, sw::Finish, Box(84), 36, ""},
    {sw::FinishPopupPreview, kButton, sw::Finish, Side(85), 30, ""},
    {sw::FinishSound, kBox, sw::Finish, Box(106), 32, ""},
    {sw::FinishSoundList, kList, sw::Finish, SoundList(131), 0, ""},
    {sw::FinishVolumeLabel, ControlKind::Label, sw::Finish, VolumeLabel(156), 225, ""},
    {sw::FinishVolume, ControlKind::Slider, sw::Finish, VolumeSlider(156), 0, ""},
    {sw::FinishVolumeValue, ControlKind::Label, sw::Finish, VolumeValue(156), 0, ""},
    {sw::BreakTimer, kBox, sw::Finish, Box(181), 70, ""},
    {sw::BreakTime, kList, sw::Finish, SoundList(206), 0, ""},
    {sw::AutoRestart, kBox, sw::Finish, Box(231), 71, ""},
    {sw::HotkeysOn, kBox, sw::Hotkeys, {130, 6, 190, 17}, 201, ""},
    // The command rows come in here (AllControls).
    // The buttons lie over the page picture, so they come first: above it.
    {sw::Home, kButton, sw::About, {24, 99, 106, 20}, 177, ""},
    {sw::PreviousPage, kButton, sw::About, {249, 192, 20, 20}, 0, "<"},
    {sw::NextPage, kButton, sw::About, {273, 192, 20, 20}, 0, ">"},
    {sw::AboutImage, ControlKind::Image, sw::About, {5, 5, 395, 254}, 0, ""},
    {sw::StageOn, kBox, sw::Stage, Box(20), 242, ""},
    {sw::StageLan, kBox, sw::Stage, Box(42), 243, ""},
    {sw::StagePortLabel, kLabel, sw::Stage, Label(67), 244, ""},
    {sw::StagePort, ControlKind::DigitsField, sw::Stage, {130, 67, 45, 20}, 0, ""},
    {sw::StageAddressLabel, kLabel, sw::Stage, Label(92), 248, ""},
    {sw::StageCopy, kButton, sw::Stage, {130, 92, 110, 20}, 245, ""},
    {sw::StageRenew, kButton, sw::Stage, {250, 92, 110, 20}, 246, ""},
    {sw::StageAddress, ControlKind::Label, sw::Stage, {5, 116, 393, 20}, 0, ""},
    {sw::StageControlLabel, kLabel, sw::Stage, Label(136), 249, ""},
    {sw::StageControlAddress, ControlKind::Label, sw::Stage, {5, 158, 393, 20}, 0, ""},
    {sw::StageQr, ControlKind::Image, sw::Stage, {5, 180, 76, 76}, 0, ""},
    {sw::StageStatus, ControlKind::Label, sw::Stage, {90, 183, 308, 20}, 0, ""},
    {sw::Ok, ControlKind::DefaultButton, -1, {340, 305, 80, 25}, 1, ""},
    {sw::Cancel, kButton, -1, {340, 335, 80, 25}, 2, ""},
};

constexpr int kTabMessages[] = {3, 111, 49, 26, 33, 200, 241, 46};

// The window as designed: the least it takes.
constexpr int kDesignWidth = 428;
constexpr int kDesignHeight = 370;
constexpr int kDesignTabsWidth = 410;
constexpr int kDesignPageRight = 400;  // the right edge of the widest page content (the About picture)
constexpr int kLabelEnd = 125;         // where row labels end, before any grows
constexpr int kPageMargin = 4;         // between a grown row label and the page's left edge

std::string Text(const ControlSpec& spec) { return spec.message ? Message(spec.message) : spec.fixedText; }

std::string ButtonLabel(int row) { return Message(112) + " " + std::to_string(row + 1); }

// The Hotkeys page's command names: start/pause and reset, the five presets
// named as their buttons are, then the rest.
std::string HotkeyCommandLabel(int command) {
    constexpr int kFirstPreset = 2, kPresets = 5;
    if (command < kFirstPreset) return Message(206 + command);
    if (command < kFirstPreset + kPresets) return ButtonLabel(command - kFirstPreset);
    return Message(208 + command - kFirstPreset - kPresets);
}

bool IsHotkeyLabel(int control) { return control >= sw::HotkeyLabel && control < sw::HotkeyLabel + sw::kHotkeyRows; }

// Every control in reading order, the five preset rows after their header.
std::vector<ControlSpec> AllControls() {
    std::vector<ControlSpec> all;
    for (const ControlSpec& spec : kControls) {
        all.push_back(spec);
        if (spec.control == sw::HotkeysOn) {
            for (int row = 0; row < sw::kHotkeyRows; ++row) {
                const int y = 28 + 17 * row;
                all.push_back({sw::HotkeyLabel + row, kLabel, sw::Hotkeys, {-50, y + 2, 175, 15}, 0, ""});
                all.push_back({sw::HotkeyField + row, ControlKind::KeyField, sw::Hotkeys, {130, y, 110, 17}, 0, ""});
                all.push_back({sw::HotkeyNote + row, ControlKind::Label, sw::Hotkeys, {245, y + 2, 150, 15}, 0, ""});
            }
        }
        if (spec.control != sw::MinSecHeader) continue;
        for (int row = 0; row < 5; ++row) {
            const int y = 38 + 22 * row;
            all.push_back({sw::ButtonLabel + row, kLabel, sw::Buttons, Label(y), 0, ""});
            all.push_back({sw::Minutes + row, ControlKind::DigitsField, sw::Buttons, {130, y, 22, 20}, 0, ""});
            all.push_back({sw::Colon + row, ControlKind::CentredLabel, sw::Buttons, {152, y + 3, 11, 20}, 0, ":"});
            all.push_back({sw::Seconds + row, ControlKind::DigitsField, sw::Buttons, {163, y, 22, 20}, 0, ""});
        }
    }
    return all;
}

std::string InitialText(const ControlSpec& spec) {
    if (spec.control >= sw::ButtonLabel && spec.control < sw::ButtonLabel + 5) return ButtonLabel(spec.control - sw::ButtonLabel);
    if (IsHotkeyLabel(spec.control)) return HotkeyCommandLabel(spec.control - sw::HotkeyLabel);
    return Text(spec);
}

// Lists whose entries are messages in a row, from entry `entry` on.
struct MessageList {
    int control;
    int first, last;
    int entry;
};
constexpr MessageList kMessageLists[] = {{sw::Period, 10, 13, 0},
                                         {sw::Location, 15, 18, 0},
                                         {sw::Height, 20, 23, 0},
                                         {sw::BreakTime, 72, 79, 0},
                                         {sw::WarningTime, 37, 44, 1}};

std::vector<std::string> TabTitles() {
    std::vector<std::string> titles;
    for (int m : kTabMessages) titles.push_back(Message(m));
    return titles;
}

bool IsRowLabel(const ControlSpec& spec) { return spec.kind == kLabel && spec.place.x < 0; }

// The stage view's addresses and the port's state are not words to fit: they
// keep the width they were given.
bool KeepsItsWidth(int control) {
    return control == sw::StageAddress || control == sw::StageControlAddress || control == sw::StageStatus;
}

bool SharesRows(const Rect& a, const Rect& b) { return a.y < b.y + b.height && b.y < a.y + a.height; }

struct Placed {
    ControlSpec spec;
    Rect place;
};

// One page: every control as wide as its text needs; the row labels' column
// as wide as its widest label, the rest of the page moved right by as much;
// and each control at least as far right of the controls before it on its
// rows as the design has it.
std::vector<Placed> LayOutPage(const std::vector<ControlSpec>& all, int page) {
    std::vector<Placed> placed;
    for (const ControlSpec& spec : all) {
        if (spec.page != page || !platform::ControlExists(spec.control)) continue;
        Rect r = spec.place;
        if (spec.kind != ControlKind::Image && !KeepsItsWidth(spec.control))
            r.width = std::max(r.width, platform::FittingWidth(spec.control));
        placed.push_back({spec, r});
    }
    int labelEnd = kLabelEnd;
    for (const Placed& p : placed)
        if (IsRowLabel(p.spec)) labelEnd = std::max(labelEnd, kPageMargin + platform::FittingWidth(p.spec.control));
    for (Placed& p : placed) {
        if (IsRowLabel(p.spec)) {
            p.place.x = labelEnd - p.place.width;  // right-aligned; what reaches past the page's edge is cut
        } else if (p.spec.place.x >= kLabelEnd) {
            p.place.x += labelEnd - kLabelEnd;
        }
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed& a, const Placed& b) { return a.spec.place.x < b.spec.place.x; });
    for (std::size_t i = 0; i < placed.size(); ++i) {
        Placed& p = placed[i];
        if (p.spec.control == sw::MinSecHeader) continue;  // spans the fields below it, placed last
        for (std::size_t j = 0; j < i; ++j) {
            const Placed& before = placed[j];
            if (before.spec.control == sw::MinSecHeader || before.spec.place.x >= p.spec.place.x ||
                !SharesRows(before.spec.place, p.spec.place))
                continue;
            const int gap = p.spec.place.x - (before.spec.place.x + before.spec.place.width);
            p.place.x = std::max(p.place.x, before.place.x + before.place.width + gap);
        }
    }
    return placed;
}

const Rect* PlaceOf(const std::vector<Placed>& placed, int control) {
    for (const Placed& p : placed)
        if (p.spec.control == control) return &p.place;
    return nullptr;
}

// "(Min:Sec)" stands centred over the minutes and seconds fields.
void SpanFieldsHeader(std::vector<Placed>& placed) {
    const Rect* minutes = PlaceOf(placed, sw::Minutes);
    const Rect* seconds = PlaceOf(placed, sw::Seconds);
    for (Placed& p : placed) {
        if (p.spec.control != sw::MinSecHeader || !minutes || !seconds) continue;
        const int span = seconds->x + seconds->width - minutes->x;
        p.place.x = minutes->x - std::max(0, p.place.width - span) / 2;
        p.place.width = std::max(p.place.width, span);
    }
}

}  // namespace

void BuildSettingsControls(bool hasTaskbarBox) {
    for (const ControlSpec& spec : AllControls()) {
        if (spec.control == sw::TaskbarProgress && !hasTaskbarBox) continue;
        platform::AddControl(spec.control, spec.kind, spec.page, spec.place, InitialText(spec));
        if (spec.control == sw::Tabs) platform::SetControlEntries(sw::Tabs, TabTitles());
    }
    for (int row = 0; row < 5; ++row) {
        platform::LimitControlText(sw::Minutes + row, kMinutesDigits);
        platform::LimitControlText(sw::Seconds + row, kSecondsDigits);
    }
    platform::LimitControlText(sw::Salary, kSalaryDigits);
    platform::SetControlEntries(sw::Language, {kLanguageNames.begin(), kLanguageNames.end()});
    platform::SetControlEntries(sw::Currency, {kCurrencies.begin(), kCurrencies.end()});
    for (const MessageList& list : kMessageLists)
        if (list.entry == 0) platform::SetControlEntries(list.control, MessageEntries(list.first, list.last));
}

void RelabelSettingsControls() {
    for (const ControlSpec& spec : AllControls()) {
        if (spec.message != 0 || IsRowLabel(spec)) platform::SetControlText(spec.control, InitialText(spec));
    }
    const std::vector<std::string> titles = TabTitles();
    for (std::size_t i = 0; i < titles.size(); ++i) platform::SetControlEntry(sw::Tabs, static_cast<int>(i), titles[i]);
    for (const MessageList& list : kMessageLists) {
        const std::vector<std::string> entries = MessageEntries(list.first, list.last);
        for (std::size_t i = 0; i < entries.size(); ++i)
            platform::SetControlEntry(list.control, list.entry + static_cast<int>(i), entries[i]);
    }
}

void LayOutSettingsControls() {
    const std::vector<ControlSpec> all = AllControls();
    std::vector<std::vector<Placed>> pages;
    int pageRight = kDesignPageRight;
    for (int page = sw::General; page <= sw::Stage; ++page) {
        pages.push_back(LayOutPage(all, page));
        SpanFieldsHeader(pages.back());
        for (const Placed& p : pages.back()) pageRight = std::max(pageRight, p.place.x + p.place.width);
    }
    const int tabsWidth =
        std::max(kDesignTabsWidth + pageRight - kDesignPageRight, platform::FittingWidth(sw::Tabs));
    const int wider = tabsWidth - kDesignTabsWidth;
    platform::SetDialogSize(kDesignWidth + wider, kDesignHeight);
    for (const ControlSpec& spec : all) {
        if (spec.page >= 0) continue;
        Rect r = spec.place;
        if (spec.control == sw::Tabs) r.width = tabsWidth;
        else r.x += wider;  // OK and Cancel stay under the panel's right edge
        platform::PlaceControl(spec.control, r);
    }
    for (const std::vector<Placed>& page : pages)
        for (const Placed& p : page) platform::PlaceControl(p.spec.control, p.place);
}
