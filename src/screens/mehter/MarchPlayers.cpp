// The seventeen march players: a small tool window whose client area is one
// stream player that starts its march by itself.
#include "screens/mehter/MarchPlayers.h"

#include "runtime/stream/MarchServer.h"
#include "runtime/stream/PlayerSettings.h"

namespace yelvanis::screens::mehter {

const std::vector<MarchPlayer>& marchPlayers()
{
    // mehter5 reads "ARTAR CİHANLA" while its button reads "Artar Cihatla".
    static const std::vector<MarchPlayer> players{
        {"mehter1", "TARİHİ ÇEVİR", 4335, 615, 4335, 615, "/muzik/mehter/01.asf"},
        {"mehter2", "DEVLET MARŞI", 4680, 615, 4695, 615, "/muzik/mehter/02.asf"},
        {"mehter3", "MEHTER MARŞI", 4680, 600, 4695, 615, "/muzik/mehter/03.asf"},
        {"mehter4", "AKINCILAR MARŞI", 4680, 615, 4695, 615, "/muzik/mehter/04.asf"},
        {"mehter5", "ARTAR CİHANLA", 4680, 615, 4695, 615, "/muzik/mehter/05.asf"},
        {"mehter6", "HÜCUM MARŞI", 4680, 570, 4695, 615, "/muzik/mehter/06.asf"},
        {"mehter7", "ORDUNUN DUASI", 4680, 615, 4695, 615, "/muzik/mehter/07.asf"},
        {"mehter8", "ÇIRPINIRDI KARADENİZ", 4680, 615, 4695, 615, "/muzik/mehter/08.asf"},
        {"mehter9", "BUNA ER MEYDANI DERLER", 4680, 615, 4695, 615, "/muzik/mehter/09.asf"},
        {"mehter10", "YENİ MALAZGİRT MARŞI", 4680, 600, 4695, 615, "/muzik/mehter/10.asf"},
        {"mehter11", "ESKİ MALAZGİRT MARŞI", 4680, 615, 4695, 615, "/muzik/mehter/11.asf"},
        {"mehter12", "ESKİ ORDU MARŞI", 4680, 615, 4695, 615, "/muzik/mehter/12.asf"},
        {"mehter13", "26 AĞUSTOS MARŞI", 4680, 585, 4695, 615, "/muzik/mehter/13.asf"},
        {"mehter14", "CEDDİN DEDEN", 4680, 600, 4695, 615, "/muzik/mehter/14.asf"},
        {"mehter15", "SANCAK MARŞI", 4680, 615, 4695, 615, "/muzik/mehter/15.asf"},
        {"mehter16", "YÜREKLER KABARIK", 4680, 600, 4695, 615, "/muzik/mehter/16.asf"},
        {"mehter17", "FETİH MARŞI", 4680, 615, 4695, 615, "/muzik/mehter/17.asf"},
    };
    return players;
}

ScreenDef marchPlayerScreen(const MarchPlayer& m, const std::string& server)
{
    // Everything but the address and the extent is the same on every player:
    // start by itself, once, from the beginning, at normal speed and half
    // volume, with the full controls and no error message boxes.
    const stream::PlayerSettings settings{
        .url = server + m.streamPath,
        .rate = 1.0,
        .balance = 0,
        .currentPosition = 0.0,
        .defaultFrame = "",
        .playCount = 1,
        .autoStart = true,
        .currentMarker = 0,
        .invokeURLs = true,
        .baseURL = "",
        .volume = 50,
        .mute = false,
        .uiMode = "full",
        .stretchToFit = false,
        .windowlessVideo = false,
        .enabled = true,
        .enableContextMenu = true,
        .fullScreen = false,
        .samiStyle = "",
        .samiLang = "",
        .samiFilename = "",
        .captioningID = "",
        .enableErrorDialogs = false,
        .extentWidth = stream::himetricFromTwips(m.playerWidth),
        .extentHeight = stream::himetricFromTwips(m.playerHeight),
    };
    return ScreenDef{
        .id = m.id,
        .caption = m.caption,
        .border = BorderStyle::FixedToolWindow,
        .controlBox = true,
        .startPosition = StartPosition::SystemDefault,
        .clientLeft = 45, .clientTop = 315,
        .clientWidth = m.clientWidth, .clientHeight = m.clientHeight,
        .icon = IconDef::none(),
        .controls = {
            ControlDef{
                .kind = ControlKind::Stream,
                .name = "WindowsMediaPlayer1",
                .left = 0, .top = 0, .width = m.playerWidth, .height = m.playerHeight,
                .tabIndex = 0,
                .settingsRecord = stream::encodeRecord(settings),
            },
        },
    };
}

void addMarchPlayers(Catalogue& catalogue)
{
    const std::string server = stream::marchServer();
    for (const MarchPlayer& m : marchPlayers())
        catalogue.add(marchPlayerScreen(m, server));
}

} // namespace yelvanis::screens::mehter
