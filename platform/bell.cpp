// GLib's headers before Qt's, whose "signals" keyword they use as a name.
#include <canberra.h>
#include <gio/gio.h>

#include "bell.h"
#include "library.h"

#include <QApplication>

namespace {
// The desktop's "event sounds" switch, where the desktop keeps one: on unless
// it says off.
class EventSoundSetting
{
public:
    EventSoundSetting()
    {
        const auto source = DRAVA_FUNCTION(gio, g_settings_schema_source_get_default);
        const auto lookup = DRAVA_FUNCTION(gio, g_settings_schema_source_lookup);
        const auto hasKey = DRAVA_FUNCTION(gio, g_settings_schema_has_key);
        const auto unref = DRAVA_FUNCTION(gio, g_settings_schema_unref);
        const auto make = DRAVA_FUNCTION(gio, g_settings_new);
        get = DRAVA_FUNCTION(gio, g_settings_get_boolean);
        release = DRAVA_FUNCTION(gio, g_object_unref);
        if (!source || !lookup || !hasKey || !unref || !make || !get || !release || !source())
            return;
        GSettingsSchema *schema = lookup(source(), "org.gnome.desktop.sound", TRUE);
        if (schema && hasKey(schema, "event-sounds"))
            settings = make("org.gnome.desktop.sound");
        if (schema)
            unref(schema);
    }
    ~EventSoundSetting()
    {
        if (settings)
            release(settings);
    }
    bool on() const { return !settings || get(settings, "event-sounds"); }

private:
    QLibrary gio{QStringLiteral("gio-2.0"), 0};
    GSettings *settings = nullptr;
    decltype(&g_settings_get_boolean) get = nullptr;
    decltype(&g_object_unref) release = nullptr;
};
} // namespace

// The desktop's setting and the sound server's connection: made and used on
// the sound's thread, one ring at a time.
class Bell::Sound
{
public:
    Sound()
    {
        if (!create || !change || !play || !destroy || create(&context) != CA_SUCCESS)
            context = nullptr;
        else
            change(context, CA_PROP_APPLICATION_NAME, "Drava", CA_PROP_APPLICATION_ID, "drava",
                   CA_PROP_APPLICATION_ICON_NAME, "drava", nullptr);
    }
    ~Sound()
    {
        if (context)
            destroy(context);
    }

    void ring() const
    {
        // Switched off, a ring is silent: the window system's bell does not
        // ring in its place either. The sound server keeps the sample after
        // its first upload and plays it itself; the event role puts it under
        // the desktop's system-sound volume.
        if (!setting.on())
            return;
        const int played = !context ? CA_ERROR_NOTAVAILABLE
                : play(context, 0, CA_PROP_EVENT_ID, "bell", CA_PROP_EVENT_DESCRIPTION, "a number drawn",
                       CA_PROP_MEDIA_ROLE, "event", CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
        if (played != CA_SUCCESS)
            QMetaObject::invokeMethod(qApp, [] { QApplication::beep(); }, Qt::QueuedConnection);
    }

private:
    const EventSoundSetting setting;
    QLibrary canberra{QStringLiteral("canberra"), 0};
    const decltype(&ca_context_create) create = DRAVA_FUNCTION(canberra, ca_context_create);
    const decltype(&ca_context_change_props) change = DRAVA_FUNCTION(canberra, ca_context_change_props);
    const decltype(&ca_context_play) play = DRAVA_FUNCTION(canberra, ca_context_play);
    const decltype(&ca_context_destroy) destroy = DRAVA_FUNCTION(canberra, ca_context_destroy);
    ca_context *context = nullptr;
};

Bell::Bell()
{
    thread_.setMaxThreadCount(1);
    thread_.setExpiryTimeout(-1); // the sound server's connection stays with its thread
}

Bell::~Bell()
{
    thread_.clear(); // the ring under way is waited for as the pool goes
}

void Bell::ring()
{
    thread_.start([this] {
        if (!sound_)
            sound_ = std::make_unique<Sound>();
        sound_->ring();
    });
}
