#include "shell/Settings.h"

#include "engine/GameEnd.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "engine/playerfile/PlayerFile.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/Files.h"
#include "shell/HelpCommands.h"
#include "shell/Login.h"
#include "window/MainWindow.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace shell {

namespace {

namespace fs = std::filesystem;
using engine::PlayerField;

ui::FormSlot<Settings>& slot() {
    static ui::FormSlot<Settings> s;
    return s;
}

ProviderSource& providerSlot() {
    static ProviderSource source;
    return source;
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

void notice(const std::string& text, const std::string& title) {
    if (platform::Dialogs* d = engine::state().services.dialogs) d->msgBox(text, platform::vbOKOnly, title);
}

bool askYesNo(const std::string& text, const std::string& title) {
    platform::Dialogs* d = engine::state().services.dialogs;
    return d && d->msgBox(text, platform::vbYesNo, title) == platform::vbYes;
}

// The boards delivered with the game, in the order a folder holding only them lists them.
constexpr const char* DeliveredBoards[8] = {"bricks.bmp", "flowers.bmp", "forest.bmp", "marble.bmp",
                                            "steel.bmp",  "sunset.bmp",  "undersea.bmp", "woody.bmp"};

} // namespace

Settings& settings() {
    return slot()();
}

Settings* settingsIfLoaded() {
    return slot().peek();
}

void setProviderSource(ProviderSource source) {
    providerSlot() = std::move(source);
}

std::vector<std::string> installedProviders() {
    if (!providerSlot()) return {};
    try {
        return providerSlot()();
    } catch (...) {
        // No network library, or it cannot list its providers: the editor works without them.
        return {};
    }
}

std::string soundNameFor(const std::string& chosenPath, const std::string& programFolder) {
    std::string folder = programFolder;
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    // Inside the folder only when the folder's name is followed by a separator: a sibling
    // "/games/tess2" is not inside "/games/tess".
    if (!folder.empty() && chosenPath.size() > folder.size() + 1 && chosenPath.compare(0, folder.size(), folder) == 0 &&
        (chosenPath[folder.size()] == '/' || chosenPath[folder.size()] == '\\'))
        return chosenPath.substr(folder.size() + 1);
    return chosenPath;
}

std::string boardNameOf(const std::string& fileName) {
    const std::size_t cut = fileName.find(".bmp");
    if (cut != std::string::npos) return fileName.substr(0, cut);
    if (fileName.size() >= 4 && upper(fileName.substr(fileName.size() - 4)) == ".BMP")
        return fileName.substr(0, fileName.size() - 4);
    return fileName;
}

std::string invalidPhotoText() {
    return std::string("You have not entered a valid internet address to a approved picture file.") + "\n\n" +
           "Valid picture formats are *.GIF, *.JPG, or *.BMP" + "\n\n" +
           "Please be sure to include the full URL. For example:" + "\n" +
           "http://www.example.com/photos/myphoto.gif" + "\n\n" + "Please try again.";
}

Settings::Settings() : ui::Form("settings") {
    layout();
    wire();
}

void Settings::layout() {
    BorderStyle = ui::vbFixedDialog;
    Width = 7560;
    Height = 6240;
    SSTab1.setTabs({"Player Profiles", "Game Settings", "Connections"});
    SSTab1.Move(120, 120, 7320, 5340);
    add(SSTab1);
    const auto onTab = [this](ui::Control& c, int page, int left, int top, int width, int height) {
        c.Move(left, top, width, height);
        add(c, &SSTab1, page);
    };
    const auto inFrame = [this](ui::Control& c, ui::Frame& frame, int left, int top, int width, int height) {
        c.Move(left, top, width, height);
        add(c, &frame);
    };

    // Tab 0.
    Label3.Caption = "Player name to edit or add:";
    onTab(Label3, 0, 240, 480, 2400, 255);
    ui::Font bold;
    bold.bold = true;
    Label15.Font = bold;
    onTab(Label15, 0, 2700, 480, 4200, 255);
    Label4.Caption = "Your location as you wish to be shown to other players?";
    onTab(Label4, 0, 240, 840, 6600, 255);
    onTab(Text2, 0, 240, 1100, 4200, 300);
    Label11.Caption = "New logon password (4 to 10 characters):";
    onTab(Label11, 0, 240, 1500, 3600, 255);
    Text4.PasswordChar = "*";
    onTab(Text4, 0, 3900, 1470, 1800, 300);
    Label12.Caption = "Leave blank if no password desired";
    onTab(Label12, 0, 3900, 1800, 3000, 255);
    Label14.Caption = "Current login password:";
    onTab(Label14, 0, 240, 2120, 3600, 255);
    Text5.PasswordChar = "*";
    onTab(Text5, 0, 3900, 2090, 1800, 300);
    Option1.Caption = "Display the photo located below to internet opponents.";
    onTab(Option1, 0, 240, 2520, 5000, 255);
    Option2.Caption = "Show 'Photo Not Available' to Internet opponents.";
    onTab(Option2, 0, 240, 2800, 5000, 255);
    Label2.Caption = "Enter the full internet address of your photo, for example: http://www.example.com/photos/myphoto.gif";
    onTab(Label2, 0, 240, 3120, 5000, 480);
    onTab(Text1, 0, 240, 3620, 5000, 300);
    Label8.Caption = "For best results, use a graphic cropped to 100 pixels wide by 85 pixels high.";
    onTab(Label8, 0, 240, 4000, 5000, 480);
    onTab(Picture1, 0, 5520, 2520, 1560, 1335);
    Command1.Caption = "Preview";
    onTab(Command1, 0, 5520, 3960, 1560, 375);

    // Tab 1.
    Frame1.Caption = "Sounds";
    onTab(Frame1, 1, 120, 420, 7080, 2100);
    Label9.Caption = "Event:";
    inFrame(Label9, Frame1, 120, 210, 2800, 255);
    // Tall enough for all eight events without a scroll bar.
    inFrame(List2, Frame1, 120, 450, 2800, 1620);
    Label10.Caption = "Sound File:";
    inFrame(Label10, Frame1, 3060, 240, 3900, 255);
    inFrame(Combo2, Frame1, 3060, 480, 3900, 315);
    Command4.Caption = "Browse";
    inFrame(Command4, Frame1, 3060, 900, 1200, 375);
    Command5.Caption = "Preview Sound";
    inFrame(Command5, Frame1, 4320, 900, 1320, 375);
    Command6.Caption = "Accept This Sound";
    inFrame(Command6, Frame1, 3060, 1380, 2580, 375);
    Frame2.Caption = "Game Board";
    onTab(Frame2, 1, 120, 2520, 4560, 2700);
    Label13.Caption = "Select Game Board Graphic:";
    inFrame(Label13, Frame2, 120, 240, 4320, 255);
    inFrame(List3, Frame2, 120, 540, 1800, 1980);
    File1.Pattern = "*.bmp";
    File1.Visible = false;
    inFrame(File1, Frame2, 120, 480, 1800, 2040);
    Image1.Stretch = true;
    inFrame(Image1, Frame2, 2040, 540, 2400, 1980);
    Frame3.Caption = "Computers Skill Level";
    onTab(Frame3, 1, 4800, 2520, 2400, 1500);
    Option3.Caption = "Beginner";
    inFrame(Option3, Frame3, 240, 300, 1900, 255);
    Option4.Caption = "Normal";
    inFrame(Option4, Frame3, 240, 660, 1900, 255);
    Option5.Caption = "Master";
    inFrame(Option5, Frame3, 240, 1020, 1900, 255);

    // Tab 2.
    Label6.Caption = "Local Network (LAN) Protocal Setting";
    Label6.Font = bold;
    onTab(Label6, 2, 240, 480, 6800, 255);
    Label5.Caption = "Please select which protocal you wish to use when playing a game on a local network. If you are "
                     "unsure, please ask your system administrator. Ignore this setting if your computer is not part of "
                     "a local area network (LAN)";
    onTab(Label5, 2, 240, 760, 6800, 720);
    Check1.Caption = "I do not use a LAN   OR   I prefer to select the protocal for each LAN game.";
    onTab(Check1, 2, 240, 1520, 6800, 255);
    Label16.Caption = "Installed Protocals:";
    onTab(Label16, 2, 240, 1840, 3000, 255);
    onTab(List1, 2, 240, 2100, 4200, 1000);
    Label7.Caption = "Note: All players on LAN must be using the same protocal!";
    onTab(Label7, 2, 240, 3160, 6800, 255);
    Option21.Caption = "I connect to the Internet through a proxy server";
    onTab(Option21, 2, 240, 3600, 5000, 255);
    Label52.Caption = "Proxy name or address:";
    onTab(Label52, 2, 240, 3920, 2000, 255);
    onTab(Text3, 2, 2280, 3890, 3600, 300);
    Label54.Caption = "Customers of online services that connect through their own proxy server: tick the box above and "
                      "enter the proxy address your service gives.";
    onTab(Label54, 2, 240, 4300, 6000, 720);
    // The decoration has no artwork of its own: it stays invisible, and so draws nothing rather
    // than an empty grey box.
    Picture2.Visible = false;
    onTab(Picture2, 2, 6600, 3600, 450, 360);

    Command2.Caption = "Save this profile";
    Command2.Move(120, 5580, 1800, 435);
    add(Command2);
    Command3.Caption = "Delete this profile";
    Command3.Move(2040, 5580, 1800, 435);
    add(Command3);
    CancelSettings.Caption = "Cancel";
    CancelSettings.Move(3960, 5580, 1560, 435);
    add(CancelSettings);
    Command7.Caption = "Help";
    Command7.Move(5640, 5580, 1560, 435);
    add(Command7);
}

void Settings::wire() {
    Command1.onClick = [this] { Command1_Click(); };
    List2.onClick = [this] { List2_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command5.onClick = [this] { Command5_Click(); };
    Command6.onClick = [this] { Command6_Click(); };
    List3.onClick = [this] { List3_Click(); };
    Option1.onClick = [this] { Option1_Click(); };
    Option2.onClick = [this] { Option2_Click(); };
    Option3.onClick = [this] { Option3_Click(); };
    Option4.onClick = [this] { Option4_Click(); };
    Option5.onClick = [this] { Option5_Click(); };
    Check1.onClick = [this] { Check1_Click(); };
    Text5.onChange = [this] { Text5_Change(); };
    Command7.onClick = [this] { Command7_Click(); };
    CancelSettings.onClick = [this] { CancelSettings_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
}

void Settings::showBoard(const std::string& fileName) {
    // A board that cannot be read leaves the preview as it was.
    bool ok = false;
    ui::Picture picture = ui::Picture::load(fileName, &ok);
    if (ok) Image1.Picture = picture;
}

void Settings::Form_Load() {
    engine::State& s = engine::state();
    kvPlay1.object();
    const ui::Desktop& desktop = ui::Desktop::instance();
    Left = (desktop.screenWidth() - Width) / 2;
    Top = (desktop.screenHeight() - Height) / 2;
    Caption = "Tessarine - Settings";
    engine::SetCurrentDirToAppPath();

    // Boards: the bitmaps of the program folder.
    File1.Path = fs::current_path().string();
    File1.Refresh();
    for (const std::string& file : File1.items()) List3.AddItem(boardNameOf(file));
    if (List3.ListCount() > 0) {
        const auto& rows = List3.items();
        const auto marble = std::find(rows.begin(), rows.end(), "Marble");
        const int row = marble == rows.end() ? 0 : static_cast<int>(marble - rows.begin());
        List3.ListIndex = row;
        showBoard(List3.Text() + ".bmp");
        s.BoardFile = List3.Text() + ".bmp";
    }

    // Service providers; a modem shows as a blank row nobody can choose successfully.
    for (const std::string& provider : installedProviders())
        List1.AddItem(contains(upper(provider), "MODEM") ? std::string(5, ' ') : provider);

    Label15.Caption = s.UserName;
    Label14.Visible = false;
    Text5.Visible = false;

    for (const engine::SoundEventInfo& event : engine::SoundEvents) List2.AddItem(event.displayText);
    List2.ListIndex = 0;

    for (const engine::SoundEventInfo& event : engine::SoundEvents) s.*(event.variable) = event.defaultFile;
    s.SkillLevel = engine::Normal;
    Option4.Value = true;

    Option2.Value = true;
    setPhotoControls(false);
    Text1.Text = "";
    Picture1.Picture = ui::Picture{};

    Check1.Value = ui::vbChecked;
    List1.Enabled = false;

    Combo2.AddItem("None");
    Command3.Enabled = false;

    engine::PlayerFile file;
    const std::vector<engine::PlayerRecord> records = file.readAll();
    if (file.problem() != engine::FileProblem::None) engine::ShowPlayerFileProblem(file);
    {
        const std::string key = engine::trimmedKey(s.UserName);
        for (const engine::PlayerRecord& r : records) {
            if (r.trimmed(PlayerField::Name) != key) continue;
            Command3.Enabled = true;
            if (r.number(PlayerField::LanFixed) == 1) {
                Check1.Value = ui::vbUnchecked;
                const std::string provider = r.trimmed(PlayerField::LanProtocolName);
                for (int row = 0; row < List1.ListCount(); ++row) {
                    if (engine::trimmedKey(List1.List(row)) == provider) {
                        List1.ListIndex = row;
                        break;
                    }
                }
            }
            if (r.number(PlayerField::ProxyOn) == 1) {
                Option21.Value = ui::vbChecked;
                Text3.Text = r.trimmed(PlayerField::ProxyName);
            } else {
                Option21.Value = ui::vbUnchecked;
                Text3.Text = "";
            }
            const bool password = hasPasswordInForce(r.text(PlayerField::Password));
            Label14.Visible = password;
            Text5.Visible = password;
            const std::string board = r.trimmed(PlayerField::BoardName);
            const auto& rows = List3.items();
            const auto stored = std::find(rows.begin(), rows.end(), board);
            if (stored != rows.end()) List3.ListIndex = static_cast<int>(stored - rows.begin());
            showBoard(board + ".bmp");
            const std::string location = r.trimmed(PlayerField::Location);
            Text2.Text = location.size() > 1 ? location : "Unknown";
            if (r.number(PlayerField::PhotoMode) == engine::PhotoShown) {
                Option1.Value = true;
                setPhotoControls(true);
                Text1.Text = r.trimmed(PlayerField::PhotoAddress);
            } else {
                Option2.Value = true;
                setPhotoControls(false);
                Text1.Text = "";
                Picture1.Picture = ui::Picture{};
            }
            for (std::size_t i = 0; i < 8; ++i) s.*(engine::SoundEvents[i].variable) = r.trimmed(engine::SoundFileFields[i]);
            const std::int16_t skill = r.number(PlayerField::Skill);
            if (skill == 1) {
                s.SkillLevel = engine::Beginner;
                Option3.Value = true;
            } else if (skill == 3) {
                s.SkillLevel = engine::Master;
                Option5.Value = true;
            } else {
                s.SkillLevel = engine::Normal;
                Option4.Value = true;
            }
        }
    }

    for (const engine::SoundEventInfo& event : engine::SoundEvents) Combo2.AddItem(s.*(event.variable));
    Combo2.Text = s.SoundSystemMessage;

    if (s.SkillLevel == engine::Beginner) Option3.Value = true;
    else if (s.SkillLevel == engine::Master) Option5.Value = true;
    else Option4.Value = true;
}

void Settings::Form_QueryUnload(int& Cancel, int UnloadMode) {
    if (UnloadMode != ui::vbFormControlMenu || existingProfile()) return;
    if (askYesNo(std::string("Are you sure you wish to Exit without saving new user settings?") + "\n\n" +
                     "New user will not be saved. Exit Now?",
                 "Delete User?")) {
        login().Show();
    } else {
        Cancel = 1;
    }
}

void Settings::setPhotoControls(bool enabled) {
    Picture1.Enabled = enabled;
    Label2.Enabled = enabled;
    Text1.Enabled = enabled;
    Label8.Enabled = enabled;
}

void Settings::Command1_Click() {
    const std::string address = engine::trimmedKey(Text1.Text.get());
    const std::string shout = upper(Text1.Text.get());
    if (address.size() < 10 || (!contains(shout, ".GIF") && !contains(shout, ".JPG") && !contains(shout, ".BMP")) ||
        !contains(upper(address), "HTTP://"))
        return notice(invalidPhotoText(), InvalidPhotoTitle);

    // The picture goes into a folder of its own, so no file of the program folder is ever
    // overwritten by a name taken from the address.
    std::error_code noTemp;
    const fs::path temp = fs::temp_directory_path(noTemp);
    if (noTemp) return;
    std::string pattern = (temp / "tessarine-photo-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return;
    const fs::path folder(pattern);
    const std::string leaf = engine::downloadFileName(address);
    if (engine::DownloadFile(window::main().Inet1, address, folder.string())) {
        const std::string localName = upper(leaf);
        if (contains(localName, ".GIF") || contains(localName, ".JPG") || contains(localName, ".BMP"))
            Picture1.Picture = ui::Picture::load((folder / leaf).string());
    }
    std::error_code error;
    fs::remove_all(folder, error);
}

void Settings::List2_Click() {
    const int row = List2.ListIndex;
    if (row < 0 || row >= 8) return;
    Combo2.Text = engine::state().*(engine::SoundEvents[static_cast<std::size_t>(row)].variable);
}

void Settings::Command4_Click() {
    ui::CommonDialog& dialog = helpDialog();
    const std::string folder = ui::programFolder().string();
    dialog.InitDir = folder;
    dialog.Filter = std::string(SoundFilter);
    const bool chosen = dialog.ShowOpen();
    engine::SetCurrentDirToAppPath();
    if (!chosen) return;
    const std::string name = soundNameFor(dialog.FileName, folder);
    Combo2.AddItem(name);
    Combo2.Text = name;
}

void Settings::Command5_Click() {
    engine::PlaySoundEvent(Combo2.Text);
}

void Settings::Command6_Click() {
    if (engine::trimmedKey(Combo2.Text.get()).size() < 4) return notice("Please select a sound file.", "Select a Sound");
    const int row = List2.ListIndex;
    if (row < 0 || row >= 8) return notice("Please select an event to change sound for.", "Select Event");
    engine::state().*(engine::SoundEvents[static_cast<std::size_t>(row)].variable) = Combo2.Text;
}

void Settings::List3_Click() {
    // The row's place, not its name, picks the delivered board shown.
    const int row = List3.ListIndex;
    if (row >= 0 && row < 8) showBoard(DeliveredBoards[row]);
}

void Settings::Option1_Click() {
    setPhotoControls(true);
}

void Settings::Option2_Click() {
    setPhotoControls(false);
}

void Settings::Option3_Click() {
    engine::state().SkillLevel = engine::Beginner;
}

void Settings::Option4_Click() {
    engine::state().SkillLevel = engine::Normal;
}

void Settings::Option5_Click() {
    engine::state().SkillLevel = engine::Master;
}

void Settings::Check1_Click() {
    const bool fixed = Check1.Value != ui::vbChecked;
    for (ui::Control* c : std::initializer_list<ui::Control*>{&List1, &Label5, &Label7, &Label6, &Label16}) c->Enabled = fixed;
}

void Settings::Text5_Change() {
    Text4.Text = Text5.Text;
}

void Settings::Command7_Click() {
    const int tab = SSTab1.Tab;
    ShowHelpCommand(HelpContext, tab == 0 ? 90 : tab == 1 ? 100 : 110);
}

void Settings::CancelSettings_Click() {
    if (existingProfile()) {
        Unload();
        return;
    }
    if (!askYesNo(std::string("Are you sure you wish to Cancel without saving new user settings?") + "\n\n" +
                      "New user will not be saved. Cancel?",
                  "Delete User?"))
        return;
    login().Show();
    Unload();
}

} // namespace shell
