#pragma once

// The rulers family as its tables state it, written out independently of
// the definitions so that a slip in either shows.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <vector>

namespace yelvanis::testing::rulers {

// A portrait tile of the gallery.
struct TileRow {
    int number;
    QSize portrait; // pixels
    const char* label;
    const char* caption;
    QRect labelBox; // twips
    const char* opens;
};

inline const std::vector<TileRow>& tileRows()
{
    static const std::vector<TileRow> rows{
        {1, QSize(60, 77), "Label4", "Osman Gazi", QRect(840, 1920, 855, 255), "osman"},
        {2, QSize(59, 77), "Label7", "Orhan Gazi", QRect(2040, 1920, 855, 255), "orhan"},
        {3, QSize(59, 77), "Label8", "Murad Hüdavendigar", QRect(3240, 1920, 1095, 375), "murad"},
        {4, QSize(59, 77), "Label9", "Yıldırım Bayezid", QRect(4320, 1920, 1095, 255), "yildirim"},
        {5, QSize(59, 77), "Label10", "Çelebi Mehmed", QRect(5520, 1920, 1095, 375), "cmehmet"},
        {6, QSize(59, 77), "Label11", "II. Murad", QRect(6840, 1920, 975, 255), "murad2"},
        {7, QSize(59, 77), "Label12", "Fatih Sultan Mehmet", QRect(8040, 1920, 855, 375), "fatih"},
        {8, QSize(60, 77), "Label13", "II.Bayezid", QRect(9240, 1920, 855, 375), "bayezid2"},
        {9, QSize(61, 77), "Label14", "Yavuz Sultan Selim", QRect(840, 3600, 975, 375), "yavuz"},
        {10, QSize(60, 79), "Label15", "Kanuni Sultan Süleyman", QRect(2040, 3600, 1095, 495), "Kanuni"},
        {11, QSize(59, 79), "Label16", "II. Selim", QRect(3240, 3720, 855, 255), "selim2"},
        {12, QSize(59, 79), "Label17", "III. Murad", QRect(4440, 3720, 855, 255), "murad3"},
        {13, QSize(59, 79), "Label18", "III. Mehmed", QRect(5640, 3720, 855, 255), "mehmed3"},
        {14, QSize(59, 79), "Label19", "I. Ahmed", QRect(6840, 3720, 855, 255), "ahmed"},
        {15, QSize(59, 79), "Label20", "I. Mustafa", QRect(8040, 3720, 855, 255), "mustafa"},
        {16, QSize(59, 79), "Label21", "Genç Osman", QRect(9240, 3720, 975, 255), "gencosman"},
        {17, QSize(60, 79), "Label22", "IV. Murad", QRect(840, 5400, 855, 255), "murad4"},
        {18, QSize(61, 79), "Label23", "I. İbrahim", QRect(2040, 5400, 855, 255), "ibrahim"},
        {19, QSize(60, 79), "Label24", "IV. Mehmed", QRect(3240, 5400, 855, 255), "mehmed4"},
        {20, QSize(59, 79), "Label25", "II. Süleyman", QRect(4440, 5400, 975, 255), "süleyman2"},
        {21, QSize(59, 79), "Label26", "II. Ahmed", QRect(5640, 5400, 855, 255), "ahmed2"},
        {22, QSize(59, 79), "Label27", "II. Mustafa", QRect(6840, 5400, 855, 255), "mustafa2"},
        {23, QSize(59, 79), "Label28", "III. Ahmed", QRect(8040, 5400, 855, 255), "ahmed3"},
        {24, QSize(59, 79), "Label29", "I. Mahmud", QRect(9240, 5400, 855, 255), "mahmud1"},
        {25, QSize(59, 79), "Label30", "III. Osman", QRect(840, 7080, 855, 375), "osman3"},
        {26, QSize(60, 79), "Label31", "III. Mustafa", QRect(2040, 7080, 855, 255), "mustafa3"},
        {27, QSize(61, 79), "Label32", "I. Abdülhamid", QRect(3240, 7080, 1095, 255), "abdülhamid1"},
        {28, QSize(60, 80), "Label33", "III. Selim", QRect(4560, 7080, 975, 255), "selim3"},
        {29, QSize(59, 80), "Label34", "IV. Mustafa", QRect(5640, 7080, 855, 255), "mustafa4"},
        {30, QSize(59, 80), "Label35", "II. Mahmud", QRect(6840, 7080, 975, 255), "mahmud2"},
        {31, QSize(59, 80), "Label36", "I. Abdülmecid", QRect(8040, 7080, 975, 255), "abdulmecid1"},
        {32, QSize(59, 80), "Label37", "Abdülaziz", QRect(9240, 7080, 975, 255), "abdulaziz"},
        {33, QSize(59, 80), "Label38", "V. Murad", QRect(3240, 8760, 855, 255), "murad5"},
        {34, QSize(59, 80), "Label39", "II. Abdülhamit", QRect(4440, 8760, 975, 255), "abdulhamid2"},
        {35, QSize(60, 80), "Label40", "Mehmed Reşat", QRect(5640, 8760, 1095, 255), "mehmedresad"},
        {36, QSize(61, 80), "Label41", "Mehmed Vahüdiddin", QRect(6840, 8760, 1455, 255), "vahdeddin"},
    };
    return rows;
}

// A ruler screen: member table, geometry table (twips; Image1 and Image2 by
// their corner) and headings.
struct RulerRow {
    const char* id;
    const char* file;
    int tile;
    unsigned back;
    QSize client;
    bool oneBox;
    QSize tughra; // pixels; empty: no tughra picture
    QStringList nameLines;
    QRect frame, card, upperHeading, upperBody, lowerHeading, lowerBody, nameLabel, closeLabel;
    QPoint portrait, tughraAt;
    const char* upperHeadingCaption;
    const char* lowerHeadingCaption;
};

inline const std::vector<RulerRow>& rulerRows()
{
    static const std::vector<RulerRow> rows{
        {"osman", "01-osman", 1, 0x80FF80, QSize(10200, 9135), false, QSize(), {"OSMAN GAZi ( OSMAN BEY)   1281 - 1326"},
         QRect(120, 1680, 9975, 2535), QRect(240, 240, 3615, 2175), QRect(120, 4320, 4335, 375), QRect(120, 4680, 10035, 1965),
         QRect(120, 6720, 4335, 375), QRect(120, 7080, 10035, 1965), QRect(1440, 480, 5895, 1095), QRect(9840, 0, 255, 255),
         QPoint(360, 240), QPoint(-1, -1), "HAYATI ve DEVLETİN KURULUŞU", "OSMAN GAZİ'NİN VASİYETİ"},
        {"orhan", "02-orhan", 2, 0x80FF80, QSize(8325, 9150), false, QSize(207, 133), {"ORHAN GAZi ( ORHAN BEY)   1326 - 1359"},
         QRect(120, 1680, 8055, 2535), QRect(120, 240, 3615, 2175), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(240, 6600, 5895, 375), QRect(120, 7080, 8115, 1725), QRect(2400, 480, 5895, 1095), QRect(7800, 0, 255, 255),
         QPoint(240, 240), QPoint(4680, 240), "HAYATI ve ASKERİ BAŞARILAR", "İDARİ DÜZENLEMELER VE MİMARİ ESERLER"},
        {"murad", "03-murad", 3, 0x80FF80, QSize(7425, 9165), false, QSize(163, 148), {"SULTAN MURAD HÜDAVENDiGAR", "1359 - 1389"},
         QRect(120, 1680, 7095, 2535), QRect(120, 360, 3615, 2175), QRect(120, 4320, 5895, 375), QRect(120, 4680, 7155, 1965),
         QRect(120, 6720, 5895, 375), QRect(120, 7080, 7155, 1965), QRect(1200, 480, 6255, 1095), QRect(7080, 0, 255, 255),
         QPoint(240, 240), QPoint(4440, 240), "HAYATI ve DÖNEMİNDE YAPILAN SAVAŞLAR", "İDARİ DÜZENLEMELER VE MİMARİ ESERLER"},
        {"yildirim", "04-yildirim", 4, 0x80FF80, QSize(7395, 9210), false, QSize(177, 154), {"SULTAN YILDIRIM BAYEZiD", "1389 - 1403"},
         QRect(120, 1680, 7095, 2535), QRect(120, 360, 3855, 2175), QRect(120, 4320, 5895, 375), QRect(120, 4680, 7155, 1965),
         QRect(120, 6720, 5895, 375), QRect(120, 7080, 7155, 1965), QRect(1200, 480, 6255, 1095), QRect(7200, 0, 255, 255),
         QPoint(240, 240), QPoint(4320, 120), "HAYATI ve DÖNEMİNDE YAPILAN SAVAŞLAR", "MİMARİ ESERLER"},
        {"cmehmet", "05-cmehmet", 5, 0x80FF80, QSize(8325, 9015), false, QSize(177, 132), {"SULTAN MEHMED ÇELEBi", "1413 - 1421"},
         QRect(120, 1680, 8055, 2535), QRect(240, 360, 3615, 1935), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(240, 6600, 5895, 375), QRect(120, 7080, 8115, 1725), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5280, 360), "HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER"},
        {"murad2", "06-murad2", 6, 0x80FF80, QSize(7380, 9030), false, QSize(171, 164), {"SULTAN 2. MURAD", "1421 - 1451"},
         QRect(120, 1560, 7095, 2535), QRect(120, 360, 4095, 2175), QRect(120, 4200, 5895, 375), QRect(120, 4560, 7155, 1965),
         QRect(120, 6600, 5895, 375), QRect(120, 6960, 7155, 1965), QRect(1680, 360, 6255, 1095), QRect(7200, 0, 255, 255),
         QPoint(240, 120), QPoint(4440, 240), "HAYATI ve DÖNEMİNDE YAPILAN SAVAŞLAR", "MİMARİ ESERLER"},
        {"fatih", "07-fatih", 7, 0xC0FFFF, QSize(8235, 9330), false, QSize(165, 134), {"FATiH SULTAN MEHMED", "1451 - 1481"},
         QRect(0, 1680, 8055, 2535), QRect(240, 240, 3735, 2175), QRect(0, 4320, 4215, 375), QRect(0, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(0, 7080, 8115, 1725), QRect(2280, 480, 5895, 1095), QRect(8040, 0, 255, 255),
         QPoint(120, 240), QPoint(5280, 240), "HAYATI ve ASKERİ BAŞARILAR", "iDARİ DÜZENLEMELER VE MİMARİ ESERLER"},
        {"bayezid2", "08-bayezid2", 8, 0xC0FFFF, QSize(8565, 9120), false, QSize(170, 148), {"SULTAN iKiNCi BAYEZiD", "1481 - 1512"},
         QRect(240, 1680, 8055, 2535), QRect(240, 240, 3735, 2175), QRect(240, 4320, 4215, 375), QRect(240, 4680, 8115, 1725),
         QRect(360, 6600, 5895, 375), QRect(240, 7080, 8115, 1725), QRect(2160, 480, 5895, 1095), QRect(8280, 0, 255, 255),
         QPoint(360, 240), QPoint(5280, 240), "HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER"},
        {"yavuz", "09-yavuz", 9, 0xC0FFFF, QSize(8400, 9150), false, QSize(169, 147), {"YAVUZ SULTAN SELiM", "1512 - 1520"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 3735, 2175), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(240, 6600, 5895, 375), QRect(120, 7080, 8115, 1725), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5280, 240), "HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER"},
        {"Kanuni", "10-kanuni", 10, 0xC0FFFF, QSize(8385, 9090), false, QSize(142, 117), {"KANUNi SULTAN SÜLEYMAN", "1520 - 1566"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 3735, 2175), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(240, 6600, 5895, 375), QRect(120, 7080, 8115, 1725), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5760, 360), "HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER VE MİMAR SİNAN"},
        {"selim2", "11-selim2", 11, 0xC0FFFF, QSize(8430, 9090), false, QSize(182, 138), {"SULTAN iKiNCi SELiM", "1566 - 1574"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 4575, 2295), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1725), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5160, 360), "HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER VE KANAL PROJELERİ"},
        {"murad3", "12-murad3", 12, 0xC0FFFF, QSize(8310, 8985), false, QSize(218, 99), {"SULTAN ÜÇÜNCÜ MURAD", "1574 - 1595"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 4575, 2295), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1725), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(4560, 480), "HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER"},
        {"mehmed3", "13-mehmed3", 13, 0xC0FFFF, QSize(8370, 9015), false, QSize(193, 105), {"SULTAN ÜÇÜNCÜ MEHMED", "27 Ocak 1595 - 1603"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 4575, 2295), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1725), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(4920, 480), "HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER"},
        {"ahmed", "14-ahmed", 14, 0xC0FFFF, QSize(8340, 8895), false, QSize(176, 127), {"SULTAN BiRiNCi AHMED", "1603 - 1617"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 4575, 2295), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1725), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5160, 360), "HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER"},
        {"mustafa", "15-mustafa", 15, 0xC0FFFF, QSize(8355, 8940), true, QSize(210, 144), {"SULTAN BiRiNCi MUSTAFA", "1617 - 1618 / 1622 - 1623"},
         QRect(120, 1680, 8055, 3615), QRect(240, 240, 4575, 3375), QRect(120, 5520, 4215, 375), QRect(120, 5880, 8115, 2805),
         QRect(), QRect(), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(4680, 720), "HAYATI", ""},
        {"gencosman", "16-gencosman", 16, 0xC0FFFF, QSize(8355, 8910), false, QSize(230, 133), {"SULTAN GENÇ OSMAN", "1618 - 1622"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 4575, 2295), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1725), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(4440, 240), "HAYATI ve ASKERİ BAŞARILAR", "ŞEHİT EDİLMESİ"},
        {"murad4", "17-murad4", 17, 0xC0FFFF, QSize(8415, 9180), false, QSize(204, 123), {"SULTAN DÖRDÜNCÜ MURAD", "1623 - 1640"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 4575, 2295), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1725), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(4920, 360), "HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLERİ"},
        {"ibrahim", "18-ibrahim", 18, 0xC0FFFF, QSize(8370, 9255), false, QSize(198, 147), {"SULTAN BiRiNCi iBRAHiM", "1640 - 1648"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 4575, 2295), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1725), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(4920, 240), "HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLERİ"},
        {"mehmed4", "19-mehmed4", 19, 0xC0FFFF, QSize(8355, 9135), false, QSize(216, 136), {"SULTAN DÖRDÜNCÜ MEHMED", "1648 - 1687"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 4575, 2295), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1725), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(4680, 240), "HAYATI VE DÖNEMİ", "MİMARİ ESERLERİ"},
        {"süleyman2", "20-suleyman2", 20, 0xC0FFFF, QSize(8430, 9000), true, QSize(209, 143), {"SULTAN iKiNCi SÜLEYMAN", "1687 - 1691"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 4575, 2295), QRect(120, 4320, 4215, 375), QRect(120, 4800, 8115, 4005),
         QRect(), QRect(), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(4680, 240), "HAYATI", ""},
        {"ahmed2", "21-ahmed2", 21, 0xC0FFFF, QSize(8385, 8985), true, QSize(204, 159), {"SULTAN iKiNCi AHMED", "1691 - 1695"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 4575, 2295), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 4125),
         QRect(), QRect(), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(4920, 120), "HAYATI", ""},
        {"mustafa2", "22-mustafa2", 22, 0xC0FFFF, QSize(8370, 9300), false, QSize(206, 142), {"SULTAN iKiNCi MUSTAFA", "1695 - 1703"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 3975, 2175), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(240, 6600, 5895, 375), QRect(120, 7080, 8115, 1995), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(4800, 240), "HAYATI VE DÖNEMİ", "MİMARİ ESERLER"},
        {"ahmed3", "23-ahmed3", 23, 0xFFC080, QSize(8340, 9195), false, QSize(164, 144), {"SULTAN ÜÇÜNCÜ AHMED", "1703 - 1730"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 5175, 2175), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1995), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5400, 240), "HAYATI", "MİMARİ ESERLER"},
        {"mahmud1", "24-mahmud1", 24, 0xFFC080, QSize(8355, 9225), false, QSize(176, 139), {"SULTAN BiRiNCi MAHMUD", "1730 - 1754"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 3975, 2175), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1995), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5280, 240), "HAYATI", "MİMARİ ESERLER"},
        {"osman3", "25-osman3", 25, 0xFFC080, QSize(8490, 9255), false, QSize(142, 129), {"SULTAN ÜÇÜNCÜ OSMAN", "1754 - 1757"},
         QRect(120, 1680, 8055, 2535), QRect(240, 360, 3975, 2175), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1995), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5520, 360), "HAYATI", "MİMARİ ESERLER"},
        {"mustafa3", "26-mustafa3", 26, 0xFFC080, QSize(8460, 9135), false, QSize(144, 136), {"SULTAN ÜÇÜNCÜ MUSTAFA", "1757 - 1774"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 3975, 2175), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1995), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5640, 240), "HAYATI", "MİMARİ ESERLER"},
        {"abdülhamid1", "27-abdulhamid1", 27, 0xFFC080, QSize(8370, 9240), false, QSize(158, 126), {"SULTAN BiRiNCi ABDÜLHAMiD", "1774 - 1789"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 5055, 2175), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1995), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5520, 360), "HAYATI", "MİMARİ ESERLER"},
        {"selim3", "28-selim3", 28, 0xFFC080, QSize(8385, 9300), false, QSize(145, 134), {"SULTAN ÜÇÜNCÜ SELiM", "1789 - 1807"},
         QRect(120, 1680, 8055, 2535), QRect(120, 360, 5175, 2175), QRect(120, 4320, 6015, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1995), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5760, 360), "HAYATI, ASKERİ OLAYLAR VE NİZAMI CEDİD", "MİMARİ ESERLER"},
        {"mustafa4", "29-mustafa4", 29, 0xFFC080, QSize(8355, 9195), true, QSize(156, 152), {"SULTAN DÖRDÜNCÜ  MUSTAFA", "1807 - 1808"},
         QRect(120, 1680, 8055, 2535), QRect(120, 360, 5175, 2175), QRect(120, 4320, 6015, 375), QRect(120, 4680, 8115, 4125),
         QRect(), QRect(), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5520, 240), "HAYATI", ""},
        {"mahmud2", "30-mahmud2", 30, 0xFFC080, QSize(8400, 9240), false, QSize(155, 146), {"SULTAN iKiNCi MAHMUD", "1808 - 1839"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 5175, 2175), QRect(120, 4320, 4215, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1995), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5400, 240), "HAYATI ve ASKERİ OLAYLAR", "MİMARİ ESERLER"},
        {"abdulmecid1", "31-abdulmecid1", 31, 0xFFC080, QSize(8400, 9270), false, QSize(146, 136), {"SULTAN BiRiNCi ABDÜLMECiD", "1839 - 1861"},
         QRect(120, 1680, 8055, 2535), QRect(240, 240, 5175, 2175), QRect(120, 4320, 6615, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1995), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5640, 240), "HAYATI - TANZİMAT VE ISLAHAT FERMANLARI", "MİMARİ ESERLER"},
        {"abdulaziz", "32-abdulaziz", 32, 0xFFC080, QSize(8460, 9240), false, QSize(127, 130), {"SULTAN  ABDÜLAZiZ", "1861 - 1876"},
         QRect(120, 1680, 8055, 2535), QRect(240, 360, 5535, 2175), QRect(120, 4320, 6615, 375), QRect(120, 4680, 8115, 1725),
         QRect(120, 6600, 5895, 375), QRect(120, 7080, 8115, 1995), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5880, 360), "HAYATI ve DÖNEMİN ÖNEMLİ OLAYLARI", "MİMARİ ESERLER"},
        {"murad5", "33-murad5", 33, 0xFFC080, QSize(8355, 9375), true, QSize(123, 116), {"SULTAN  BESiNCi MURAD", "1876 - 1876"},
         QRect(120, 1680, 8055, 2535), QRect(240, 360, 5535, 2175), QRect(120, 4320, 6615, 375), QRect(120, 4680, 8115, 4365),
         QRect(), QRect(), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5880, 360), "HAYATI ve DÖNEMİN ÖNEMLİ OLAYLARI", ""},
        {"abdulhamid2", "34-abdulhamid2", 34, 0xFFC080, QSize(8535, 9435), false, QSize(124, 120), {"SULTAN  iKiNCi ABDÜLHAMiD", "1876 - 1909"},
         QRect(240, 1680, 8055, 2535), QRect(240, 360, 5535, 2175), QRect(240, 4320, 6615, 375), QRect(240, 4680, 8115, 2085),
         QRect(240, 6840, 6615, 375), QRect(240, 7320, 8115, 2085), QRect(2520, 480, 5895, 1095), QRect(8280, 0, 255, 255),
         QPoint(360, 240), QPoint(5880, 360), "HAYATI ve DÖNEMİN ÖNEMLİ OLAYLARI", "MİMARİ ESERLER"},
        {"mehmedresad", "35-mehmedresad", 35, 0xFFC080, QSize(8400, 9555), true, QSize(125, 114), {"SULTAN  MEHMED RESAD", "1909 - 1918"},
         QRect(120, 1680, 8055, 2535), QRect(240, 360, 5535, 2175), QRect(120, 4320, 6615, 375), QRect(120, 4680, 8115, 4725),
         QRect(), QRect(), QRect(2400, 480, 5895, 1095), QRect(8160, 0, 255, 255),
         QPoint(240, 240), QPoint(5880, 360), "HAYATI ve ASKERİ OLAYLARI", ""},
        {"vahdeddin", "36-vahdeddin", 36, 0xFFC080, QSize(8370, 9630), true, QSize(124, 122), {"SULTAN  MEHMED VAHDEDDiN", "1918 - 1922"},
         QRect(120, 1800, 8055, 2535), QRect(240, 360, 5535, 2175), QRect(120, 4440, 6615, 375), QRect(120, 4800, 8115, 4725),
         QRect(), QRect(), QRect(2400, 600, 5895, 1095), QRect(8040, 0, 255, 255),
         QPoint(240, 360), QPoint(5880, 360), "HAYATI ve ASKERİ OLAYLARI", ""},
    };
    return rows;
}


// A text body: its content file, its length in characters (CR LF as two;
// -1 where the tables give none) and its section headings in order.
struct BodyRow {
    const char* file;
    int length;
    QStringList sections;
};

inline const std::vector<BodyRow>& bodyRows()
{
    static const std::vector<BodyRow> rows{
        {"01-osman.upper.txt", 6369, {}},
        // An account of Osman Gazi's will, about as long as the body it replaces.
        {"01-osman.lower.txt", 2219, {}},
        {"02-orhan.upper.txt", 3473, {"ASKERİ BAŞARILAR"}},
        {"02-orhan.lower.txt", 1374, {"İDARİ DÜZENLEMELER", "MİMARİ ESERLER"}},
        {"03-murad.upper.txt", 4490, {"SIRPSINDIĞI SAVAŞI", "I. KOSOVA SAVAŞI"}},
        {"03-murad.lower.txt", 2993, {"İDARİ DÜZENLEMELER", "MİMARİ ESERLER"}},
        {"04-yildirim.upper.txt", 6712, {"HAYATI", "BEYLİKLERLE MÜCADELE", "İLK İSTANBUL KUŞATMASI", "NİĞBOLU ZAFERİ", "ANKARA SAVAŞI"}},
        {"04-yildirim.lower.txt", 788, {}},
        {"05-cmehmet.upper.txt", 5500, {"HAYATI", "FETRET DEVRİ", "BİRLİK MÜCADELESİ", "RUMELİ FAALİYETLERİ", "ŞEYH BEDRETTİN İSYANI", "DÜZMECE MUSTAFA İSYANI"}},
        {"05-cmehmet.lower.txt", 402, {}},
        {"06-murad2.upper.txt", 7544, {"HAYATI", "DÜZMECE MUSTAFA OLAYI", "BEYLİKLERLE MÜCADELE", "RUMELİ FAALİYETLERİ", "SEGEDİN ANTLAŞMASI", "ŞEHZADE MEHMED", "VARNA SAVAŞI", "II. KOSOVA SAVAŞI"}},
        {"06-murad2.lower.txt", 1175, {}},
        {"07-fatih.upper.txt", 12396, {"HAYATI", "İSTANBUL'UN FETHİ", "YAPILAN HAZIRLIKLAR", "KUŞATMA VE SAVAŞ", "FETHİN SONUÇLARI", "KIRIM'IN FETHİ VE KARADENİZ", "OTLUKBELİ SAVAŞI", "DENİZLERDE DURUM"}},
        {"07-fatih.lower.txt", 2839, {"İDARİ DÜZENLEMELER", "MİMARİ ESERLER"}},
        {"08-bayezid2.upper.txt", 11300, {"HAYATI", "CEM SULTAN", "BALKANLARDA İLERLEME", "SAFEVİLER VE ŞAH KULU", "VENEDİKLE SAVAŞ", "ŞEHZADE SELİM"}},
        {"08-bayezid2.lower.txt", 674, {}},
        {"09-yavuz.upper.txt", 8302, {"HAYATI", "ÇALDIRAN SAVAŞI", "MERCİDABIK ZAFERİ", "RİDANİYE ZAFERİ", "İLK HALİFE YAVUZ SULTAN SELİM"}},
        {"09-yavuz.lower.txt", 677, {"MİMARİ ESERLER"}},
        {"10-kanuni.upper.txt", 17039, {"HAYATI", "İÇ İSYANLAR", "ŞARLKEN VE AVRUPA", "VİYANA KUŞATMASI", "SEFERLER", "MACARİSTAN SEFERİ", "MALTA SEFERİ", "HİNT SEFERİ", "FETİHLER VE ZAFERLER", "BELGRAD'IN FETHİ", "RODOS'UN FETHİ", "CEZAYİR'İN KATILIŞI", "TRABLUSGARP'IN ALINIŞI", "CERBE SAVAŞI", "MOHAÇ SAVAŞI", "ZİGETVAR KALESİ", "PREVEZE DENİZ ZAFERİ", "KAPİTÜLASYONLAR", "SAFEVİLER"}},
        {"10-kanuni.lower.txt", 1418, {"MİMARİ ESERLER", "MİMAR SİNAN"}},
        {"11-selim2.upper.txt", 6996, {"HAYATI", "SAKIZ ADASININ FETHİ", "ENDONEZYA SEFERİ", "YEMEN SEFERİ", "KIBRIS'IN FETHİ", "İNEBAHTI SAVAŞI", "TUNUS'UN ALINMASI"}},
        {"11-selim2.lower.txt", 2125, {"MİMARİ ESERLER", "KANAL PROJELERİ"}},
        {"12-murad3.upper.txt", 9278, {"HAYATI", "LEHİSTAN İLİŞKİLERİ", "VENEDİKLE İLİŞKİLER", "İNGİLTERE İLE İLİŞKİLER", "FAS'IN FETHİ", "İRAN İLE İLİŞKİLERİ", "AVUSTURYA İLE İLİŞKİLER"}},
        {"12-murad3.lower.txt", 1022, {}},
        {"13-mehmed3.upper.txt", 7659, {"HAYATI", "AVUSTURYA VE EFLAK SEFERLERİ", "EĞRİ KALESİ'NİN FETHİ", "HAÇOVA ZAFERİ", "KANİJE KALESİ'NİN FETHİ", "İRAN İLİŞKİLERİ"}},
        {"13-mehmed3.lower.txt", 337, {}},
        {"14-ahmed.upper.txt", 5907, {"HAYATI", "İRAN İLİŞKİLERİ", "CELALİ İSYANLARI", "ZİTVATOROK ANTLAŞMASI"}},
        {"14-ahmed.lower.txt", 467, {}},
        {"15-mustafa.upper.txt", 2780, {"ABAZA PAŞA İSYANI"}},
        {"16-gencosman.upper.txt", 6602, {"HAYATI", "İRAN İLİŞKİLERİ", "İTALYA SEFERİ", "LEHİSTAN SEFERİ", "YENİLİK HAREKETLERİ"}},
        {"16-gencosman.lower.txt", 1273, {}},
        {"17-murad4.upper.txt", 6276, {"HAYATI", "İRAN SEFERLERİ", "BAĞDAT SEFERİ", "LEHİSTAN SEFERİ"}},
        {"17-murad4.lower.txt", 379, {}},
        {"18-ibrahim.upper.txt", 4187, {"HAYATI", "GELİŞMELER"}},
        {"18-ibrahim.lower.txt", 299, {}},
        {"19-mehmed4.upper.txt", 9894, {"HAYATI", "KÖSEM SULTAN'IN ÖLDÜRÜLMESİ", "TARHUNCU AHMED PAŞA", "KÖPRÜLÜLER DEVRİ", "BUÇAŞ ANTLAŞMASI", "II. VİYANA KUŞATMASI"}},
        {"19-mehmed4.lower.txt", 552, {}},
        {"20-suleyman2.upper.txt", 2221, {"HAYATI", "EĞRİBOZ ZAFERİ"}},
        {"21-ahmed2.upper.txt", 2187, {"HAYATI", "SALAKAMEN SAVAŞI"}},
        {"22-mustafa2.upper.txt", 3272, {"HAYATI", "KARLOFÇA ANTLAŞMASI", "TAHTTAN İNDİRİLMESİ"}},
        {"22-mustafa2.lower.txt", 223, {}},
        {"23-ahmed3.upper.txt", 8619, {"HAYATI", "PRUT SAVAŞI", "PASAROFÇA ANTLAŞMASI", "LALE DEVRİ", "PATRONA HALİL İSYANI"}},
        {"23-ahmed3.lower.txt", 859, {}},
        {"24-mahmud1.upper.txt", 5999, {"HAYATI", "İSYAN KARGAŞASI", "ISLAHAT HAREKETİ", "İRAN İLİŞKİLERİ", "RUS - AVUSTURYA SAVAŞLARI"}},
        {"24-mahmud1.lower.txt", 630, {}},
        // The tables leave both bodies of this ruler to the content; these are
        // the sections it chose.
        {"25-osman3.upper.txt", -1, {"HAYATI", "SADRAZAMLAR VE DEVLET İŞLERİ", "YANGINLAR VE İSTANBUL"}},
        {"25-osman3.lower.txt", -1, {}},
        {"26-mustafa3.upper.txt", 5626, {"HAYATI", "OSMANLI - RUS İLİŞKİLERİ"}},
        {"26-mustafa3.lower.txt", 435, {}},
        {"27-abdulhamid1.upper.txt", 5819, {"HAYATI", "KÜÇÜK KAYNARCA ANTLŞMASI", "KIRIM", "RUSYA - AVUSTURYA SAVAŞI"}},
        {"27-abdulhamid1.lower.txt", 348, {}},
        {"28-selim3.upper.txt", 10324, {"HAYATI", "OSMANLI - RUS SAVAŞLARI", "ZİŞTOVİ BARIŞI", "YAŞ ANTLAŞMASI", "NİZAM-I CEDİD", "MISIR VE FRANSA", "SON DÖNEMLER", "KABAKÇI MUSTAFA İSYANI"}},
        {"28-selim3.lower.txt", 619, {}},
        {"29-mustafa4.upper.txt", 3667, {"HAYATI", "ALEMDAR MUSTAFA PAŞA"}},
        {"30-mahmud2.upper.txt", 12953, {"HAYATI", "OSMANLI - RUS İLİŞKİLERİ", "SIRP İSYANI", "NAVARİN OLAYI", "EDİRNE ANTLAŞMASI", "KAVALALI İSYANI", "BOĞAZLAR", "ISLAHAT HAREKETLERİ"}},
        {"30-mahmud2.lower.txt", 802, {}},
        {"31-abdulmecid1.upper.txt", 7625, {"HAYATI", "TANZİMAT FERMANI", "KIRIM SAVAŞI", "ISLAHAT FERMANI"}},
        {"31-abdulmecid1.lower.txt", 440, {}},
        {"32-abdulaziz.upper.txt", 8122, {"HAYATI", "SİYASİ GELİŞMELER", "KARADAĞ İSYANI", "MISIR SEYAHATİ", "ROMANYA SORUNU", "GİRİT SORUNU", "BELGRAD'IN ELDEN ÇIKMASI", "AVRUPA SEYAHATİ", "BOSNA HERSEK VE BULGAR İSYANI", "ISLAHATLARI"}},
        {"32-abdulaziz.lower.txt", 344, {}},
        {"33-murad5.upper.txt", 1602, {}},
        {"34-abdulhamid2.upper.txt", 10796, {"HAYATI", "I. MEŞRUTİYET'İN İLANI", "1877 -1878 OSMANLI - RUS SAVAŞI (93 HARBİ)", "AYASTEFANOS ANTLAŞMASI", "OSMANLI DEVLETİ'NİN DAĞILMASI", "II. MEŞRUTİYET'İN İLANI", "31 MART OLAYI"}},
        {"34-abdulhamid2.lower.txt", 732, {}},
        {"35-mehmedresad.upper.txt", 4497, {"HAYATI", "TRABLUSGARP SAVAŞI", "I. BALKAN SAVAŞI", "II. BALKAN SAVAŞI", "I. DÜNYA SAVAŞI"}},
        {"36-vahdeddin.upper.txt", 12971, {"HAYATI", "MONDROS MÜTAREKESİ", "SEVR ANTLAŞMASI", "KURTULUŞ SAVAŞI", "İSTANBUL'DAN AYRILIŞI", "ÖLÜMÜ"}},
    };
    return rows;
}

} // namespace yelvanis::testing::rulers
