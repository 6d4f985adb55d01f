// The profile editor's Save and Delete. Save checks every entry before it changes anything, so a
// refused Save leaves players.dat, the running session and the main window exactly as they were.
#include "engine/GameEnd.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "engine/playerfile/PlayerFile.h"
#include "platform/text/Cp1252.h"
#include "shell/Board.h"
#include "shell/Login.h"
#include "shell/Settings.h"
#include "window/LeaveInternet.h"
#include "window/MainWindow.h"

namespace shell {

namespace {

using engine::PlayerField;

void notice(const std::string& text, const std::string& title) {
    if (platform::Dialogs* d = engine::state().services.dialogs) d->msgBox(text, platform::vbOKOnly, title);
}

// Every profile text must be one the file's single-byte text can hold.
bool allFit(std::initializer_list<std::string> texts) {
    for (const std::string& t : texts)
        if (!platform::text::fitsCp1252(t)) return false;
    return true;
}

inline constexpr const char* NeedPasswordSave =
    "You have a previously selected password. This must be entered to alter your settings. Enter your current password.";
inline constexpr const char* NeedPasswordDelete =
    "You have a previously selected password. This must be entered to delete your record. Enter your current password.";
inline constexpr const char* WrongPassword = "The current password you entered is incorrect. Please try again.";
constexpr std::size_t MinPasswordLength = 4;
inline constexpr const char* PasswordTooShort =
    "Your new password is too short. A password must have 4 to 10 characters. Enter a longer password, or leave the "
    "box blank if no password is desired.";
inline constexpr const char* PasswordTooLong =
    "Your new password is too long. A password must have 4 to 10 characters. Enter a shorter password.";

} // namespace

void Settings::Command2_Click() {
    engine::State& s = engine::state();
    const std::string key = engine::trimmedKey(Label15.Caption.get());
    engine::PlayerFile file;
    engine::PlayerRecord found;   // a new profile starts from a record never written to
    const int position = file.find(key, s.PlayerRec);
    // A file that cannot be read is never written over with a fresh one.
    if (file.problem() != engine::FileProblem::None)
        return engine::ShowPlayerFileProblem(file, "Your profile could not be saved");
    if (position > 0) found = s.PlayerRec;

    // All checks first.
    const std::string current = engine::trimmedKey(Text5.Text.get());
    if (Text5.Visible) {
        if (current.size() < 4) return notice(NeedPasswordSave, "Need Password!");
        if (current != found.trimmed(PlayerField::Password)) return notice(WrongPassword, "Password Incorrect");
    }
    const bool photoShown = !Option2.Value;
    const std::string photo = engine::trimmedKey(Text1.Text.get());
    if (photoShown && photo.size() < 12)
        return notice("You selected to display your photo. You must enter the full URL of the photo to display",
                      "Settings Error");
    const bool proxy = Option21.Value == ui::vbChecked;
    const std::string proxyName = engine::trimmedKey(Text3.Text.get());
    if (proxy && proxyName.size() < 3)
        return notice("You selected to use a proxy server, but did not enter a proxy address!", "Settings Error!");
    const bool lanFixed = Check1.Value != ui::vbChecked;
    const std::string provider = lanFixed ? engine::trimmedKey(List1.Text()) : std::string();
    if (lanFixed && provider.size() < 4) return notice("You did not select a network protocal to use!", "Settings Error");
    const std::string password = engine::trimmedKey(Text4.Text.get());
    // A password is kept exactly as it will be asked for at log-on, or not taken at all.
    const std::size_t passwordLength = platform::text::utf8Length(password);
    if (passwordLength > 0 && passwordLength < MinPasswordLength) return notice(PasswordTooShort, "Settings Error");
    if (passwordLength > engine::fieldSpec(PlayerField::Password).width) return notice(PasswordTooLong, "Settings Error");
    const std::string location = engine::trimmedKey(Text2.Text.get());
    const std::string board = List3.Text();
    std::vector<std::string> sounds;
    for (const engine::SoundEventInfo& event : engine::SoundEvents) sounds.push_back(engine::trimmedKey(s.*(event.variable)));
    bool soundsFit = true;
    for (const std::string& sound : sounds) soundsFit = soundsFit && platform::text::fitsCp1252(sound);
    if (!soundsFit || !allFit({password, location, photo, proxyName, provider, board}))
        return notice("Please use only letters, digits and the characters of Western European languages in your settings.",
                      "Settings Error");

    // The record.
    engine::PlayerRecord record = found;
    record.setText(PlayerField::Name, key);
    record.setText(PlayerField::Password, password);
    record.setText(PlayerField::Location, location);
    record.setNumber(PlayerField::PhotoMode, photoShown ? engine::PhotoShown : engine::PhotoHidden);
    record.setText(PlayerField::PhotoAddress, photoShown ? photo : std::string());
    for (std::size_t i = 0; i < 8; ++i) record.setText(engine::SoundFileFields[i], sounds[i]);
    if (List3.ListIndex >= 0) record.setText(PlayerField::BoardName, board);
    record.setNumber(PlayerField::ProxyOn, proxy ? 1 : 0);
    record.setText(PlayerField::ProxyName, proxy ? proxyName : std::string());
    record.setNumber(PlayerField::Skill, s.SkillLevel);
    record.setNumber(PlayerField::LanFixed, lanFixed ? 1 : 0);
    record.setText(PlayerField::LanProtocolName, provider);

    s.PlayerRec = record;
    const bool written = position > 0 ? file.rewrite(position, s.PlayerRec) : file.create(s.PlayerRec) > 0;
    if (!written) return engine::ShowPlayerFileProblem(file, "Your profile could not be saved");

    // Only now the running session takes the profile.
    s.UserLocation = record.trimmed(PlayerField::Location);
    s.PhotoUrl = photoShown ? record.trimmed(PlayerField::PhotoAddress) : std::string();
    s.LanProtocol = lanFixed ? record.trimmed(PlayerField::LanProtocolName) : std::string();
    window::MainWindow& m = window::main();
    if (List3.ListIndex >= 0) {
        s.BoardFile = board + ".bmp";
        m.main1.Picture = boardPicture(record.trimmed(PlayerField::BoardName) + ".bmp");
    }
    applyProxy(&m, proxy, proxyName);
    m.Show();
    Unload();
}

void Settings::Command3_Click() {
    engine::State& s = engine::state();
    const std::string key = engine::trimmedKey(Label15.Caption.get());
    platform::Dialogs* dialogs = s.services.dialogs;
    if (!dialogs || dialogs->msgBox("Are you sure you wish to delete user: " + key + "?", platform::vbYesNo, "Delete User?") !=
                        platform::vbYes)
        return;
    engine::PlayerFile file;
    std::string stored;
    if (file.find(key, s.PlayerRec) > 0) stored = s.PlayerRec.trimmed(PlayerField::Password);
    if (file.problem() != engine::FileProblem::None)
        return engine::ShowPlayerFileProblem(file, "The profile could not be deleted");
    if (Text5.Visible) {
        const std::string current = engine::trimmedKey(Text5.Text.get());
        if (current.size() < 4) return notice(NeedPasswordDelete, "Need Password!");
        if (current != stored) return notice(WrongPassword, "Password Incorrect");
    }
    // A player who deletes himself gives up the Internet game he is in, as a change of user does.
    if (!window::ConfirmLeaveInternet(window::CurrentlyPlayingText, false)) return;
    if (!file.remove(key) && file.problem() != engine::FileProblem::None)
        return engine::ShowPlayerFileProblem(file, "The profile could not be deleted");
    // The deleted player's proxy goes with the profile; the next log-on sets its own.
    applyProxy(window::mainIfLoaded(), false, {});
    Unload();
    login().Show();
}

} // namespace shell
