#include "bell.h"

// GLib's headers before Qt's, whose "signals" keyword they use as a name.
#include <canberra.h>
#include <gio/gio.h>

#include <QApplication>

namespace {
// The desktop's "event sounds" switch, where the desktop keeps one.
GSettings *eventSoundSetting()
{
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    GSettingsSchema *schema = source ? g_settings_schema_source_lookup(source, "org.gnome.desktop.sound", TRUE) : nullptr;
    const bool known = schema && g_settings_schema_has_key(schema, "event-sounds");
    if (schema)
        g_settings_schema_unref(schema);
    return known ? g_settings_new("org.gnome.desktop.sound") : nullptr;
}
} // namespace

Bell::~Bell()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true; // rings not yet played are dropped: the program is ending
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

void Bell::ring()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!thread_.joinable())
        thread_ = std::thread(&Bell::run, this);
    ++rings_;
    wake_.notify_one();
}

void Bell::run()
{
    GSettings *setting = eventSoundSetting();
    ca_context *context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS)
        context = nullptr;
    else
        ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Drava", CA_PROP_APPLICATION_ID, "drava",
                                CA_PROP_APPLICATION_ICON_NAME, "drava", nullptr);

    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return rings_ > 0 || stopping_; });
        if (stopping_)
            break;
        --rings_;
        lock.unlock();
        const bool enabled = !setting || g_settings_get_boolean(setting, "event-sounds");
        // The sound server keeps the sample after its first upload and plays
        // it itself; the event role puts it under the desktop's system-sound
        // volume.
        const int played = !context ? CA_ERROR_NOTAVAILABLE
                : ca_context_play(context, 0, CA_PROP_EVENT_ID, "bell", CA_PROP_EVENT_DESCRIPTION, "a number drawn",
                                  CA_PROP_MEDIA_ROLE, "event", CA_PROP_CANBERRA_CACHE_CONTROL, "permanent",
                                  CA_PROP_CANBERRA_ENABLE, enabled ? "1" : "0", nullptr);
        if (played != CA_SUCCESS && played != CA_ERROR_DISABLED)
            QMetaObject::invokeMethod(qApp, [] { QApplication::beep(); }, Qt::QueuedConnection);
        lock.lock();
    }
    lock.unlock();
    if (context)
        ca_context_destroy(context);
    if (setting)
        g_object_unref(setting);
}
