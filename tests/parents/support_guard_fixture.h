#pragma once
// A theme with its three list files in a temporary data folder, the guard's
// models over it, and a browser that records what the commands asked of it.

#include "state/program_state.h"
#include "guard/block_accept.h"
#include "guard/navigation_model.h"
#include "guard/site_lists.h"
#include "platform/sound.h"
#include "users/user_profile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

struct SilentSound final : tovalin::SoundPlayer {
    void play(const QString &) override {}
};

struct RecordedBrowser {
    QStringList navigated;
    int backs = 0;
    QString location;
    QString childAddress = QStringLiteral("http://child.example/");

    tovalin::BrowserActions actions()
    {
        return {[this](const QString &a) { navigated.append(a); }, [this] { ++backs; },
                [this] { return location; }, [this] { return childAddress; }};
    }
};

struct GuardFixture {
    QTemporaryDir dir;
    tovalin::ProgramState state;
    tovalin::UserProfile profile;
    SilentSound sound;
    RecordedBrowser browser;
    std::unique_ptr<tovalin::SiteLists> lists;
    std::unique_ptr<tovalin::NavigationModel> navigation;
    std::unique_ptr<tovalin::BlockAccept> commands;

    GuardFixture(const QByteArray &white, const QByteArray &black)
    {
        state.DataFolder = dir.path();
        QDir().mkpath(state.themesFolder());
        state.setActiveTheme(QStringLiteral("Dieren"));
        profile.Kindvriendelijk = true;
        profile.Kindonvriendelijk = true;
        writeFile(QStringLiteral(".kvu"), white);
        writeFile(QStringLiteral(".kou"), black);
        lists = std::make_unique<tovalin::SiteLists>(state, profile, tovalin::VendorSettings{});
        lists->LoadSiteLists();
        navigation = std::make_unique<tovalin::NavigationModel>(state, sound);
        commands = std::make_unique<tovalin::BlockAccept>(*lists, *navigation, browser.actions());
    }

    QString themeFile(const QString &ext) const { return state.themesFolder() + QStringLiteral("/Dieren") + ext; }

    void writeFile(const QString &ext, const QByteArray &bytes) const
    {
        QFile f(themeFile(ext));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }

    QByteArray file(const QString &ext) const
    {
        QFile f(themeFile(ext));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QByteArray whiteFile() const { return file(QStringLiteral(".kvu")); }
    QByteArray blackFile() const { return file(QStringLiteral(".kou")); }
};
