#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/accessible_view.h"
#include "common/control_error.h"
#include "common/script_binding.h"
#include "common/script_fonts.h"
#include "common/script_settings.h"
#include "common/property_exchange.h"
#include "platform/geometry.h"
#include "platform/graphics.h"
#include "platform/platform.h"
#include "platform/registry_store.h"
#include "platform/settings_files.h"
#include "platform/url_launcher.h"
#include "statics/link_state.h"

namespace vexa::statics {

inline constexpr std::string_view kControlName = "VStatic";
inline constexpr int kControlIndex = 6;
inline constexpr std::uint32_t kButtonFace = 0x8000000F;
inline constexpr std::uint32_t kLinkColour = 0xEE0000;
inline constexpr std::uint32_t kVisitedColour = 0x8B1A55;
// Style bits of the platform's STATIC: the alignment and click notices.
inline constexpr std::uint32_t kCentreStyle = 0x1;
inline constexpr std::uint32_t kRightStyle = 0x2;
inline constexpr std::uint32_t kNotifyStyle = 0x100;

// The persistent properties of the label.
struct StaticProperties : common::ScriptSettings {
    std::string caption = "VStatic";
    std::string text = "VStatic";  // the same text in its second role
    std::int16_t isciiDataFormat = 0;
    std::int16_t alignment = 0;  // 0 left, 1 centre, anything else right
    std::uint32_t foreColor = 0;
    std::uint32_t backColor = kButtonFace;
    bool isUrl = false;
    std::string url;
    bool underline = false;
    std::uint32_t linkColor = kLinkColour;
    std::uint32_t visitedColor = kVisitedColour;
    std::uint32_t hoverColor = 0;  // the system highlight colour at construction
};

// What the logic asks of the control's window side.
class StaticView {
public:
    virtual ~StaticView() = default;
    virtual bool WindowExists() const = 0;
    // Build the window fonts for the script, faces and size; underlined for
    // a hyperlink with Underline on.
    virtual void RebuildFont(const common::DrawingScript& /*script*/, bool /*underline*/) {}
    virtual void Invalidate() {}
    // Invalidate, erase and paint now (the hover colour follows the mouse).
    virtual void RedrawNow() {}
    virtual void SetCapture() {}
    virtual void ReleaseCapture() {}
    virtual void FireClick() {}
    virtual void MarkModified() {}
};

struct StaticServices {
    const platform::Platform& platform;
    platform::RegistryStore& registry;
    platform::SettingsFiles& settings;
    platform::UrlLauncher& launcher;
    std::uint32_t highlight;  // the system highlight colour now: HoverColor's start
};

// The label and hyperlink control apart from its window: properties and
// their rules, the script binding, Caption and Text in the data formats,
// persistence and the settings file, the colour of each paint, and the
// mouse rules that follow a link.
class StaticLogic : private common::ScriptHost, public common::AccessibleView {
public:
    StaticLogic(StaticServices services, StaticView& view);

    StaticProperties& Props() { return props_; }
    const StaticProperties& Props() const { return props_; }
    common::ScriptBinding& Binding() { return binding_; }
    const LinkState& Link() const { return link_; }
    bool EnglishMode() const;
    common::DrawingScript Drawing() const;
    // The font is underlined: a hyperlink with Underline on.
    bool Underlined() const { return props_.isUrl && props_.underline; }

    void Exchange(common::PropertyExchange& px, bool userMode);
    bool BindAtCreation();
    void WindowCreated() { RebuildFont(); }
    std::uint32_t WindowStyle() const;

    // Caption and Text in the current data format. A format outside 0 to
    // 2 (from saved data) is reported to the user and fails: reading gives
    // nothing, assigning leaves the text as it was.
    common::Outcome ReadCaption(std::string& out) const;
    common::Outcome ReadText(std::string& out) const;
    common::Outcome AssignCaption(std::string_view input);
    common::Outcome AssignText(std::string_view input) { return AssignCaption(input); }
    // The Unicode twins of Caption and Text (one text): read in the
    // script's block, written whole or refused with nothing changed.
    common::Outcome ReadUnicodeCaption(std::u16string& out) const;
    common::Outcome AssignUnicodeCaption(std::u16string_view input);

    void SetScriptName(const std::string& name);
    void SetFontName(const std::string& face) { binding_.SetFontName(face); }
    void SetFontSize(std::int16_t size) { binding_.SetFontSize(size); }
    void SetKeyboardType(std::int16_t type) { binding_.SetKeyboardType(type); }
    void SetLinFile(const std::string& file) { binding_.SetLinFile(file); }
    void SetDisableEnglish(bool on) { binding_.SetDisableEnglish(on); }
    void SetAlignment(std::int16_t alignment);
    common::Outcome SetIsciiDataFormat(std::int16_t format);
    void SetForeColor(std::uint32_t colour);
    void SetBackColor(std::uint32_t colour);
    void SetAccessGlobal(bool on);
    void SetGlobalSettings(bool on);
    // The hyperlink properties only store: they show at the next paint,
    // font build or window creation.
    void SetIsUrl(bool on) { Store(props_.isUrl, on); }
    void SetUrl(const std::string& url) { Store(props_.url, url); }
    void SetUnderline(bool on) { Store(props_.underline, on); }
    void SetLinkColor(std::uint32_t c) { Store(props_.linkColor, c); }
    void SetVisitedColor(std::uint32_t c) { Store(props_.visitedColor, c); }
    void SetHoverColor(std::uint32_t c) { Store(props_.hoverColor, c); }

    // The text colour of a paint (an OLE colour). A hyperlink takes its
    // hover, visited or link colour, which becomes ForeColor itself.
    std::uint32_t ChooseForeColor();
    // The caption's lines as font-code runs, ready to draw.
    std::vector<std::string> DisplayRuns();

    // Mouse messages in client coordinates. True when the system window
    // should handle the message as well.
    bool MouseMove(platform::Point p, const platform::Rect& client, bool leftDown);
    bool ButtonDown(platform::Point p, const platform::Rect& client);
    bool ButtonUp(platform::Point p, const platform::Rect& client);
    void CaptureLost();

    bool SaveGlobalSettings();
    bool LoadGlobalSettings();
    void RebuildFont();

    // AccessibleView (static_accessible.cpp): static text, or a link whose
    // default action "Jump" follows it as a click does.
    common::AccessibleRole Role(int child) const override;
    std::u16string Name(int child) const override;
    std::uint32_t States(int child) const override;
    std::u16string DefaultAction(int child) const override;
    bool DoDefaultAction(int child) override;

private:
    // ScriptHost
    void RebuildFonts() override { RebuildFont(); }
    void MarkModified() override { view_.MarkModified(); }
    void Modified() { view_.MarkModified(); }
    // The label's one text, from code in either form: shown, announced to
    // screen readers, marked modified.
    void StoreCaption(std::string text);
    template <class T, class V>
    void Store(T& member, const V& value) {
        member = value;
        Modified();
    }
    bool Apply(const LinkActions& actions);
    void Launch();

    StaticServices services_;
    StaticView& view_;
    StaticProperties props_;
    common::ScriptBinding binding_;
    LinkState link_;
};

}  // namespace vexa::statics
