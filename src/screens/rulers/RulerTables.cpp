#include "screens/rulers/RulerTables.h"

#include <stdexcept>

namespace yelvanis::screens::rulers {

const std::vector<Tile>& galleryTiles()
{
    // row, column, image, image left and top, portrait pixels, name label,
    // caption, label box, screen it opens, content file.
    static const std::vector<Tile> tiles{
        {1, 1, "Image1", {840, 720}, {60, 77}, "Label4", "Osman Gazi", {840, 1920, 855, 255}, "osman", "01-osman"},
        {1, 2, "Image2", {2040, 720}, {59, 77}, "Label7", "Orhan Gazi", {2040, 1920, 855, 255}, "orhan", "02-orhan"},
        {1, 3, "Image3", {3240, 720}, {59, 77}, "Label8", "Murad Hüdavendigar", {3240, 1920, 1095, 375}, "murad", "03-murad"},
        {1, 4, "Image4", {4440, 720}, {59, 77}, "Label9", "Yıldırım Bayezid", {4320, 1920, 1095, 255}, "yildirim", "04-yildirim"},
        {1, 5, "Image5", {5640, 720}, {59, 77}, "Label10", "Çelebi Mehmed", {5520, 1920, 1095, 375}, "cmehmet", "05-cmehmet"},
        {1, 6, "Image6", {6840, 720}, {59, 77}, "Label11", "II. Murad", {6840, 1920, 975, 255}, "murad2", "06-murad2"},
        {1, 7, "Image7", {8040, 720}, {59, 77}, "Label12", "Fatih Sultan Mehmet", {8040, 1920, 855, 375}, "fatih", "07-fatih"},
        {1, 8, "Image8", {9240, 720}, {60, 77}, "Label13", "II.Bayezid", {9240, 1920, 855, 375}, "bayezid2", "08-bayezid2"},
        {2, 1, "Image9", {840, 2400}, {61, 77}, "Label14", "Yavuz Sultan Selim", {840, 3600, 975, 375}, "yavuz", "09-yavuz"},
        {2, 2, "Image10", {2040, 2400}, {60, 79}, "Label15", "Kanuni Sultan Süleyman", {2040, 3600, 1095, 495}, "Kanuni", "10-kanuni"},
        {2, 3, "Image11", {3240, 2400}, {59, 79}, "Label16", "II. Selim", {3240, 3720, 855, 255}, "selim2", "11-selim2"},
        {2, 4, "Image12", {4440, 2400}, {59, 79}, "Label17", "III. Murad", {4440, 3720, 855, 255}, "murad3", "12-murad3"},
        {2, 5, "Image13", {5640, 2400}, {59, 79}, "Label18", "III. Mehmed", {5640, 3720, 855, 255}, "mehmed3", "13-mehmed3"},
        {2, 6, "Image14", {6840, 2400}, {59, 79}, "Label19", "I. Ahmed", {6840, 3720, 855, 255}, "ahmed", "14-ahmed"},
        {2, 7, "Image15", {8040, 2400}, {59, 79}, "Label20", "I. Mustafa", {8040, 3720, 855, 255}, "mustafa", "15-mustafa"},
        {2, 8, "Image16", {9240, 2400}, {59, 79}, "Label21", "Genç Osman", {9240, 3720, 975, 255}, "gencosman", "16-gencosman"},
        {3, 1, "Image17", {840, 4080}, {60, 79}, "Label22", "IV. Murad", {840, 5400, 855, 255}, "murad4", "17-murad4"},
        {3, 2, "Image18", {2040, 4080}, {61, 79}, "Label23", "I. İbrahim", {2040, 5400, 855, 255}, "ibrahim", "18-ibrahim"},
        {3, 3, "Image19", {3240, 4080}, {60, 79}, "Label24", "IV. Mehmed", {3240, 5400, 855, 255}, "mehmed4", "19-mehmed4"},
        {3, 4, "Image20", {4440, 4080}, {59, 79}, "Label25", "II. Süleyman", {4440, 5400, 975, 255}, "süleyman2", "20-suleyman2"},
        {3, 5, "Image21", {5640, 4080}, {59, 79}, "Label26", "II. Ahmed", {5640, 5400, 855, 255}, "ahmed2", "21-ahmed2"},
        {3, 6, "Image22", {6840, 4080}, {59, 79}, "Label27", "II. Mustafa", {6840, 5400, 855, 255}, "mustafa2", "22-mustafa2"},
        {3, 7, "Image23", {8040, 4080}, {59, 79}, "Label28", "III. Ahmed", {8040, 5400, 855, 255}, "ahmed3", "23-ahmed3"},
        {3, 8, "Image24", {9240, 4080}, {59, 79}, "Label29", "I. Mahmud", {9240, 5400, 855, 255}, "mahmud1", "24-mahmud1"},
        {4, 1, "Image25", {840, 5760}, {59, 79}, "Label30", "III. Osman", {840, 7080, 855, 375}, "osman3", "25-osman3"},
        {4, 2, "Image26", {2040, 5760}, {60, 79}, "Label31", "III. Mustafa", {2040, 7080, 855, 255}, "mustafa3", "26-mustafa3"},
        {4, 3, "Image27", {3240, 5760}, {61, 79}, "Label32", "I. Abdülhamid", {3240, 7080, 1095, 255}, "abdülhamid1", "27-abdulhamid1"},
        {4, 4, "Image28", {4440, 5760}, {60, 80}, "Label33", "III. Selim", {4560, 7080, 975, 255}, "selim3", "28-selim3"},
        {4, 5, "Image29", {5640, 5760}, {59, 80}, "Label34", "IV. Mustafa", {5640, 7080, 855, 255}, "mustafa4", "29-mustafa4"},
        {4, 6, "Image30", {6840, 5760}, {59, 80}, "Label35", "II. Mahmud", {6840, 7080, 975, 255}, "mahmud2", "30-mahmud2"},
        {4, 7, "Image31", {8040, 5760}, {59, 80}, "Label36", "I. Abdülmecid", {8040, 7080, 975, 255}, "abdulmecid1", "31-abdulmecid1"},
        {4, 8, "Image32", {9240, 5760}, {59, 80}, "Label37", "Abdülaziz", {9240, 7080, 975, 255}, "abdulaziz", "32-abdulaziz"},
        {5, 3, "Image33", {3240, 7440}, {59, 80}, "Label38", "V. Murad", {3240, 8760, 855, 255}, "murad5", "33-murad5"},
        {5, 4, "Image34", {4440, 7440}, {59, 80}, "Label39", "II. Abdülhamit", {4440, 8760, 975, 255}, "abdulhamid2", "34-abdulhamid2"},
        {5, 5, "Image35", {5640, 7440}, {60, 80}, "Label40", "Mehmed Reşat", {5640, 8760, 1095, 255}, "mehmedresad", "35-mehmedresad"},
        {5, 6, "Image36", {6840, 7440}, {61, 80}, "Label41", "Mehmed Vahüdiddin", {6840, 8760, 1455, 255}, "vahdeddin", "36-vahdeddin"},
    };
    return tiles;
}

const std::vector<RulerRecord>& rulerRecords()
{
    static const std::vector<RulerRecord> records{
        {
            .member = {1, "osman", 0x80FF80, 10200, 9135, Variant::TwoBoxes, std::nullopt, {"OSMAN GAZi ( OSMAN BEY)   1281 - 1326"}},
            .geometry = {{120, 1680, 9975, 2535}, {240, 240, 3615, 2175}, {120, 4320, 4335, 375}, {120, 4680, 10035, 1965}, Box{120, 6720, 4335, 375}, Box{120, 7080, 10035, 1965}, {1440, 480, 5895, 1095}, {9840, 0, 255, 255}, {360, 240}, std::nullopt},
            .headings = {"HAYATI ve DEVLETİN KURULUŞU", "OSMAN GAZİ'NİN VASİYETİ"},
            .facts = {.father = "Ertuğrul Gazi", .mother = "Hayme Hatun", .birth = "Söğüt, 1258", .death = "Bursa, 1326", .reign = {"1281 - 1326"}, .area = "16.000 km2"},
            .textBoxTabStops = true,
            .closeGoesTo = "Anasayfa",
        },
        {
            .member = {2, "orhan", 0x80FF80, 8325, 9150, Variant::TwoBoxes, PixelSize{207, 133}, {"ORHAN GAZi ( ORHAN BEY)   1326 - 1359"}},
            .geometry = {{120, 1680, 8055, 2535}, {120, 240, 3615, 2175}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{240, 6600, 5895, 375}, Box{120, 7080, 8115, 1725}, {2400, 480, 5895, 1095}, {7800, 0, 255, 255}, {240, 240}, Spot{4680, 240}},
            .headings = {"HAYATI ve ASKERİ BAŞARILAR", "İDARİ DÜZENLEMELER VE MİMARİ ESERLER"},
            .facts = {.father = "Osman Gazi", .mother = "Mal Hatun", .birth = "1281", .death = "1360", .reign = {"1326 - 1359"}, .area = "95.000 km2"},
        },
        {
            .member = {3, "murad", 0x80FF80, 7425, 9165, Variant::TwoBoxes, PixelSize{163, 148}, {"SULTAN MURAD HÜDAVENDiGAR", "1359 - 1389"}},
            .geometry = {{120, 1680, 7095, 2535}, {120, 360, 3615, 2175}, {120, 4320, 5895, 375}, {120, 4680, 7155, 1965}, Box{120, 6720, 5895, 375}, Box{120, 7080, 7155, 1965}, {1200, 480, 6255, 1095}, {7080, 0, 255, 255}, {240, 240}, Spot{4440, 240}},
            .headings = {"HAYATI ve DÖNEMİNDE YAPILAN SAVAŞLAR", "İDARİ DÜZENLEMELER VE MİMARİ ESERLER"},
            .facts = {.father = "Orhan Gazi", .mother = "Nilüfer Hatun", .birth = "1326", .death = "1389", .reign = {"1359 - 1389"}, .area = "500.000 km2"},
            .textBoxTabStops = true,
        },
        {
            .member = {4, "yildirim", 0x80FF80, 7395, 9210, Variant::TwoBoxes, PixelSize{177, 154}, {"SULTAN YILDIRIM BAYEZiD", "1389 - 1403"}},
            .geometry = {{120, 1680, 7095, 2535}, {120, 360, 3855, 2175}, {120, 4320, 5895, 375}, {120, 4680, 7155, 1965}, Box{120, 6720, 5895, 375}, Box{120, 7080, 7155, 1965}, {1200, 480, 6255, 1095}, {7200, 0, 255, 255}, {240, 240}, Spot{4320, 120}},
            .headings = {"HAYATI ve DÖNEMİNDE YAPILAN SAVAŞLAR", "MİMARİ ESERLER"},
            .facts = {.father = "Murad Hüdavendigar", .mother = "Gülçiçek Hatun", .birth = "1360", .death = "8 Mart 1403", .reign = {"1389 - 1403"}},
            .textBoxTabStops = true,
        },
        {
            .member = {5, "cmehmet", 0x80FF80, 8325, 9015, Variant::TwoBoxes, PixelSize{177, 132}, {"SULTAN MEHMED ÇELEBi", "1413 - 1421"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 360, 3615, 1935}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{240, 6600, 5895, 375}, Box{120, 7080, 8115, 1725}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5280, 360}},
            .headings = {"HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER"},
            .facts = {.father = "Yıldırım Bayezid", .mother = "Devlet Hatun", .birth = "1389", .death = "26 Mayıs 1421", .reign = {"1413 - 1421"}},
        },
        {
            .member = {6, "murad2", 0x80FF80, 7380, 9030, Variant::TwoBoxes, PixelSize{171, 164}, {"SULTAN 2. MURAD", "1421 - 1451"}},
            .geometry = {{120, 1560, 7095, 2535}, {120, 360, 4095, 2175}, {120, 4200, 5895, 375}, {120, 4560, 7155, 1965}, Box{120, 6600, 5895, 375}, Box{120, 6960, 7155, 1965}, {1680, 360, 6255, 1095}, {7200, 0, 255, 255}, {240, 120}, Spot{4440, 240}},
            .headings = {"HAYATI ve DÖNEMİNDE YAPILAN SAVAŞLAR", "MİMARİ ESERLER"},
            .facts = {.father = "Çelebi Mehmed", .mother = "Emine Hatun", .birth = "1402", .death = "3 Şubat 1451", .reign = {"1421 - 1451"}},
            .textBoxTabStops = true,
        },
        {
            .member = {7, "fatih", 0xC0FFFF, 8235, 9330, Variant::TwoBoxes, PixelSize{165, 134}, {"FATiH SULTAN MEHMED", "1451 - 1481"}},
            .geometry = {{0, 1680, 8055, 2535}, {240, 240, 3735, 2175}, {0, 4320, 4215, 375}, {0, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{0, 7080, 8115, 1725}, {2280, 480, 5895, 1095}, {8040, 0, 255, 255}, {120, 240}, Spot{5280, 240}},
            .headings = {"HAYATI ve ASKERİ BAŞARILAR", "iDARİ DÜZENLEMELER VE MİMARİ ESERLER"},
            .facts = {.father = "İkinci Murad", .mother = "Huma Hatun", .birth = "29 Mart 1432", .death = "3 Mayıs 1481", .reign = {"1451 - 1481"}, .area = "2.214.000 km2"},
        },
        {
            .member = {8, "bayezid2", 0xC0FFFF, 8565, 9120, Variant::TwoBoxes, PixelSize{170, 148}, {"SULTAN iKiNCi BAYEZiD", "1481 - 1512"}},
            .geometry = {{240, 1680, 8055, 2535}, {240, 240, 3735, 2175}, {240, 4320, 4215, 375}, {240, 4680, 8115, 1725}, Box{360, 6600, 5895, 375}, Box{240, 7080, 8115, 1725}, {2160, 480, 5895, 1095}, {8280, 0, 255, 255}, {360, 240}, Spot{5280, 240}},
            .headings = {"HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER"},
            .facts = {.reign = {"1481 - 1512"}},
            .factsFile = "rulers/08-bayezid2.facts.txt",
        },
        {
            .member = {9, "yavuz", 0xC0FFFF, 8400, 9150, Variant::TwoBoxes, PixelSize{169, 147}, {"YAVUZ SULTAN SELiM", "1512 - 1520"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 3735, 2175}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{240, 6600, 5895, 375}, Box{120, 7080, 8115, 1725}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5280, 240}},
            .headings = {"HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan İkinci Bayezid", .mother = "Gülbahar Hatun", .birth = "10 Ekim 1470", .death = "21-22 Eylül 1520", .reign = {"1512 - 1520"}, .area = "6.557.000 km2"},
        },
        {
            .member = {10, "Kanuni", 0xC0FFFF, 8385, 9090, Variant::TwoBoxes, PixelSize{142, 117}, {"KANUNi SULTAN SÜLEYMAN", "1520 - 1566"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 3735, 2175}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{240, 6600, 5895, 375}, Box{120, 7080, 8115, 1725}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5760, 360}},
            .headings = {"HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER VE MİMAR SİNAN"},
            .facts = {.father = "Yavuz Sultan Selim", .mother = "Hafsa Hatun", .birth = "27 Nisan 1495", .death = "6-7 Eylül 1566", .reign = {"1520 - 1566"}, .area = "14.983.000 km2"},
        },
        {
            .member = {11, "selim2", 0xC0FFFF, 8430, 9090, Variant::TwoBoxes, PixelSize{182, 138}, {"SULTAN iKiNCi SELiM", "1566 - 1574"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 4575, 2295}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1725}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5160, 360}},
            .headings = {"HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER VE KANAL PROJELERİ"},
            .facts = {.father = "Kanuni Sultan Süleyman", .mother = "Hürrem Sultan", .birth = "28 Mayıs 1524", .death = "15 Aralık 1574", .reign = {"1566 - 1574"}, .area = "15.162.000 km2"},
        },
        {
            .member = {12, "murad3", 0xC0FFFF, 8310, 8985, Variant::TwoBoxes, PixelSize{218, 99}, {"SULTAN ÜÇÜNCÜ MURAD", "1574 - 1595"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 4575, 2295}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1725}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{4560, 480}},
            .headings = {"HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan İkinci Selim", .mother = "Afife Nur Banu Hatun", .birth = "4 Temmuz 1546", .death = "15-16 Ocak 1595", .reign = {"1574 - 1595"}, .area = "19.902.000 km2"},
        },
        {
            .member = {13, "mehmed3", 0xC0FFFF, 8370, 9015, Variant::TwoBoxes, PixelSize{193, 105}, {"SULTAN ÜÇÜNCÜ MEHMED", "27 Ocak 1595 - 1603"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 4575, 2295}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1725}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{4920, 480}},
            .headings = {"HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan Üçüncü Murad", .mother = "Safiye Sultan", .birth = "26 Mayıs 1566", .death = "20-21 Aralık 1603", .reign = {"27 Ocak 1595 - 1603"}},
        },
        {
            .member = {14, "ahmed", 0xC0FFFF, 8340, 8895, Variant::TwoBoxes, PixelSize{176, 127}, {"SULTAN BiRiNCi AHMED", "1603 - 1617"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 4575, 2295}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1725}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5160, 360}},
            .headings = {"HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan Üçüncü Mehmed", .mother = "Handan Sultan", .birth = "18 Nisan 1590", .death = "21-22 Kasım 1617", .reign = {"21 Aralık 1603 - 1617"}},
        },
        {
            .member = {15, "mustafa", 0xC0FFFF, 8355, 8940, Variant::OneBox, PixelSize{210, 144}, {"SULTAN BiRiNCi MUSTAFA", "1617 - 1618 / 1622 - 1623"}},
            .geometry = {{120, 1680, 8055, 3615}, {240, 240, 4575, 3375}, {120, 5520, 4215, 375}, {120, 5880, 8115, 2805}, std::nullopt, std::nullopt, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{4680, 720}},
            .headings = {"HAYATI", ""},
            .facts = {.father = "Sultan Üçüncü Mehmed", .mother = "Handan Sultan", .birth = "1592", .death = "20 Ocak 1639", .reign = {"İki Dönem", "1. Dönem", ": 22.11.1617 - 26.02.1618", "2. Dönem", ": 19.05.1622 - 10.09.1623"}},
        },
        {
            .member = {16, "gencosman", 0xC0FFFF, 8355, 8910, Variant::TwoBoxes, PixelSize{230, 133}, {"SULTAN GENÇ OSMAN", "1618 - 1622"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 4575, 2295}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1725}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{4440, 240}},
            .headings = {"HAYATI ve ASKERİ BAŞARILAR", "ŞEHİT EDİLMESİ"},
            .facts = {.father = "Sultan Birinci Ahmed", .mother = "Mahfiruz Haseki Sultan", .birth = "3 Kasım 1604", .death = "20 Mayıs 1622", .reign = {"26 Şubat 1618 - 1622"}},
        },
        {
            .member = {17, "murad4", 0xC0FFFF, 8415, 9180, Variant::TwoBoxes, PixelSize{204, 123}, {"SULTAN DÖRDÜNCÜ MURAD", "1623 - 1640"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 4575, 2295}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1725}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{4920, 360}},
            .headings = {"HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLERİ"},
            .facts = {.father = "Sultan Birinci Ahmed", .mother = "Mahpeyker Kösem Sultan", .birth = "27 Temmuz 1612", .death = "8 - 9 Şubat 1640", .reign = {"10 Eylül 1623 - 1640"}},
        },
        {
            .member = {18, "ibrahim", 0xC0FFFF, 8370, 9255, Variant::TwoBoxes, PixelSize{198, 147}, {"SULTAN BiRiNCi iBRAHiM", "1640 - 1648"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 4575, 2295}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1725}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{4920, 240}},
            .headings = {"HAYATI ve ASKERİ BAŞARILAR", "MİMARİ ESERLERİ"},
            .facts = {.father = "Sultan Birinci Ahmed", .mother = "Mahpeyker Kösem Sultan", .birth = "05 Kasım 1615", .death = "18 Ağustos 1648", .reign = {"09 Şubat 1640 - 1648"}},
        },
        {
            .member = {19, "mehmed4", 0xC0FFFF, 8355, 9135, Variant::TwoBoxes, PixelSize{216, 136}, {"SULTAN DÖRDÜNCÜ MEHMED", "1648 - 1687"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 4575, 2295}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1725}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{4680, 240}},
            .headings = {"HAYATI VE DÖNEMİ", "MİMARİ ESERLERİ"},
            .facts = {.father = "Sultan Birinci İbrahim", .mother = "Turhan Hatice Sultan", .birth = "02 Ocak 1642", .death = "06 Ocak 1693", .reign = {"08 Ağustos 1648 - 1687"}},
        },
        {
            .member = {20, "süleyman2", 0xC0FFFF, 8430, 9000, Variant::OneBox, PixelSize{209, 143}, {"SULTAN iKiNCi SÜLEYMAN", "1687 - 1691"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 4575, 2295}, {120, 4320, 4215, 375}, {120, 4800, 8115, 4005}, std::nullopt, std::nullopt, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{4680, 240}},
            .headings = {"HAYATI", ""},
            .facts = {.father = "Sultan Birinci İbrahim", .mother = "Saliha Dilaşub Sultan", .birth = "15 Nisan 1642", .death = "22 haziran 1691", .reign = {"09 Kasım 1687 - 1691"}},
        },
        {
            .member = {21, "ahmed2", 0xC0FFFF, 8385, 8985, Variant::OneBox, PixelSize{204, 159}, {"SULTAN iKiNCi AHMED", "1691 - 1695"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 4575, 2295}, {120, 4320, 4215, 375}, {120, 4680, 8115, 4125}, std::nullopt, std::nullopt, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{4920, 120}},
            .headings = {"HAYATI", ""},
            .facts = {.father = "Sultan Birinci İbrahim", .mother = "Hatice Muazzez Sultan", .birth = "25 Şubat 1643", .death = "06 Şubat 1695", .reign = {"22 Haziran 1691 - 1695"}},
        },
        {
            .member = {22, "mustafa2", 0xC0FFFF, 8370, 9300, Variant::TwoBoxes, PixelSize{206, 142}, {"SULTAN iKiNCi MUSTAFA", "1695 - 1703"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 3975, 2175}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{240, 6600, 5895, 375}, Box{120, 7080, 8115, 1995}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{4800, 240}},
            .headings = {"HAYATI VE DÖNEMİ", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan Dördüncü Mehmed", .mother = "Emetullah Rabia Gülnuş Sultan", .birth = "06 Şubat 1664", .death = "29 Aralık 1703", .reign = {"06 Şubat 1695 - 22 Ağustos 1703"}},
        },
        {
            .member = {23, "ahmed3", 0xFFC080, 8340, 9195, Variant::TwoBoxes, PixelSize{164, 144}, {"SULTAN ÜÇÜNCÜ AHMED", "1703 - 1730"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 5175, 2175}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1995}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5400, 240}},
            .headings = {"HAYATI", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan Dördüncü Mehmed", .mother = "Emetullah Rabia Gülnuş Sultan", .birth = "30 Aralık 1673", .death = "01 Temmuz 1736", .reign = {"1703 - 1 Ekim 1730"}},
        },
        {
            .member = {24, "mahmud1", 0xFFC080, 8355, 9225, Variant::TwoBoxes, PixelSize{176, 139}, {"SULTAN BiRiNCi MAHMUD", "1730 - 1754"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 3975, 2175}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1995}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5280, 240}},
            .headings = {"HAYATI", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan İkinci Mustafa", .mother = "Saliha Valide Sultan", .birth = "02 Ağustos 1696", .death = "13 Aralık 1754", .reign = {"2 Ekim 1730 - 1754"}},
        },
        {
            .member = {25, "osman3", 0xFFC080, 8490, 9255, Variant::TwoBoxes, PixelSize{142, 129}, {"SULTAN ÜÇÜNCÜ OSMAN", "1754 - 1757"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 360, 3975, 2175}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1995}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5520, 360}},
            .headings = {"HAYATI", "MİMARİ ESERLER"},
            .facts = {.reign = {"1754 - 1757"}},
            .factsFile = "rulers/25-osman3.facts.txt",
        },
        {
            .member = {26, "mustafa3", 0xFFC080, 8460, 9135, Variant::TwoBoxes, PixelSize{144, 136}, {"SULTAN ÜÇÜNCÜ MUSTAFA", "1757 - 1774"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 3975, 2175}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1995}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5640, 240}},
            .headings = {"HAYATI", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan Üçüncü Ahmed", .mother = "Mihrişah Sultan", .birth = "28 Ocak 1717", .death = "21 Ocak 1774", .reign = {"30 Ekim 1757 - 1774"}},
        },
        {
            .member = {27, "abdülhamid1", 0xFFC080, 8370, 9240, Variant::TwoBoxes, PixelSize{158, 126}, {"SULTAN BiRiNCi ABDÜLHAMiD", "1774 - 1789"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 5055, 2175}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1995}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5520, 360}},
            .headings = {"HAYATI", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan Üçüncü Ahmed", .mother = "Rabia Şermi Sultan", .birth = "20 Mart 1725", .death = "07 Nisan 1789", .reign = {"21 Ocak 1774 - 1789"}},
        },
        {
            .member = {28, "selim3", 0xFFC080, 8385, 9300, Variant::TwoBoxes, PixelSize{145, 134}, {"SULTAN ÜÇÜNCÜ SELiM", "1789 - 1807"}},
            .geometry = {{120, 1680, 8055, 2535}, {120, 360, 5175, 2175}, {120, 4320, 6015, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1995}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5760, 360}},
            .headings = {"HAYATI, ASKERİ OLAYLAR VE NİZAMI CEDİD", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan Üçüncü Mustafa", .mother = "Mihrişah Sultan", .birth = "24 Aralık 1761", .death = "28 Temmuz 1808", .reign = {"07 Nisan 1789 - 29 Mayıs 1807"}},
        },
        {
            .member = {29, "mustafa4", 0xFFC080, 8355, 9195, Variant::OneBox, PixelSize{156, 152}, {"SULTAN DÖRDÜNCÜ  MUSTAFA", "1807 - 1808"}},
            .geometry = {{120, 1680, 8055, 2535}, {120, 360, 5175, 2175}, {120, 4320, 6015, 375}, {120, 4680, 8115, 4125}, std::nullopt, std::nullopt, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5520, 240}},
            .headings = {"HAYATI", ""},
            .facts = {.father = "Sultan Birinci Abdulhamid", .mother = "Nüketseza Kadın Sultan", .birth = "08 Eylül 1779", .death = "16 Kasım 1808", .reign = {"29 Mayıs 1807 - 28 Temmuz 1808"}},
        },
        {
            .member = {30, "mahmud2", 0xFFC080, 8400, 9240, Variant::TwoBoxes, PixelSize{155, 146}, {"SULTAN iKiNCi MAHMUD", "1808 - 1839"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 5175, 2175}, {120, 4320, 4215, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1995}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5400, 240}},
            .headings = {"HAYATI ve ASKERİ OLAYLAR", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan Birinci Abdulhamid", .mother = "Nakşidil Valide Sultan", .birth = "20 Temmuz 1785", .death = "01 Temmuz 1839", .reign = {"28 Temmuz 1808 - 1839"}},
        },
        {
            .member = {31, "abdulmecid1", 0xFFC080, 8400, 9270, Variant::TwoBoxes, PixelSize{146, 136}, {"SULTAN BiRiNCi ABDÜLMECiD", "1839 - 1861"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 240, 5175, 2175}, {120, 4320, 6615, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1995}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5640, 240}},
            .headings = {"HAYATI - TANZİMAT VE ISLAHAT FERMANLARI", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan İkinci Mahmud", .mother = "Bezm-i Alem Valide Sultan", .birth = "25 Nisan 1823", .death = "25 Haziran 1861", .reign = {"01 Temmuz 1839 - 1861"}},
        },
        {
            .member = {32, "abdulaziz", 0xFFC080, 8460, 9240, Variant::TwoBoxes, PixelSize{127, 130}, {"SULTAN  ABDÜLAZiZ", "1861 - 1876"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 360, 5535, 2175}, {120, 4320, 6615, 375}, {120, 4680, 8115, 1725}, Box{120, 6600, 5895, 375}, Box{120, 7080, 8115, 1995}, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5880, 360}},
            .headings = {"HAYATI ve DÖNEMİN ÖNEMLİ OLAYLARI", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan İkinci Mahmud", .mother = "Pertevniyal Valide Sultan", .birth = "08 Şubat 1830", .death = "04 Haziran 1876", .reign = {"25 Haziran 1861 - 30 Mayıs 1876"}},
        },
        {
            .member = {33, "murad5", 0xFFC080, 8355, 9375, Variant::OneBox, PixelSize{123, 116}, {"SULTAN  BESiNCi MURAD", "1876 - 1876"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 360, 5535, 2175}, {120, 4320, 6615, 375}, {120, 4680, 8115, 4365}, std::nullopt, std::nullopt, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5880, 360}},
            .headings = {"HAYATI ve DÖNEMİN ÖNEMLİ OLAYLARI", ""},
            .facts = {.father = "Sultan Abdülmecid", .mother = "Şevk Efza Kadın Efendi", .birth = "21 Eylül 1840", .death = "29 Ağustos 1904", .reign = {"30 Mayıs 1876 - 31 Ağustos 1876"}},
        },
        {
            .member = {34, "abdulhamid2", 0xFFC080, 8535, 9435, Variant::TwoBoxes, PixelSize{124, 120}, {"SULTAN  iKiNCi ABDÜLHAMiD", "1876 - 1909"}},
            .geometry = {{240, 1680, 8055, 2535}, {240, 360, 5535, 2175}, {240, 4320, 6615, 375}, {240, 4680, 8115, 2085}, Box{240, 6840, 6615, 375}, Box{240, 7320, 8115, 2085}, {2520, 480, 5895, 1095}, {8280, 0, 255, 255}, {360, 240}, Spot{5880, 360}},
            .headings = {"HAYATI ve DÖNEMİN ÖNEMLİ OLAYLARI", "MİMARİ ESERLER"},
            .facts = {.father = "Sultan Abdülmecid", .mother = "Tir-i Müjgan Kadın Efendi", .birth = "21 Eylül 1842", .death = "10 Şubat 1918", .reign = {"31 Ağustos 1876 - 27 Nisan  1909"}},
        },
        {
            .member = {35, "mehmedresad", 0xFFC080, 8400, 9555, Variant::OneBox, PixelSize{125, 114}, {"SULTAN  MEHMED RESAD", "1909 - 1918"}},
            .geometry = {{120, 1680, 8055, 2535}, {240, 360, 5535, 2175}, {120, 4320, 6615, 375}, {120, 4680, 8115, 4725}, std::nullopt, std::nullopt, {2400, 480, 5895, 1095}, {8160, 0, 255, 255}, {240, 240}, Spot{5880, 360}},
            .headings = {"HAYATI ve ASKERİ OLAYLARI", ""},
            .facts = {.father = "Sultan Abdülmecid", .mother = "Gülcemal Kadın Efendi", .birth = "02 Kasım 1844", .death = "03 Temmuz 1918", .reign = {"27 Nisan  1909 - 1918"}},
        },
        {
            .member = {36, "vahdeddin", 0xFFC080, 8370, 9630, Variant::OneBox, PixelSize{124, 122}, {"SULTAN  MEHMED VAHDEDDiN", "1918 - 1922"}},
            .geometry = {{120, 1800, 8055, 2535}, {240, 360, 5535, 2175}, {120, 4440, 6615, 375}, {120, 4800, 8115, 4725}, std::nullopt, std::nullopt, {2400, 600, 5895, 1095}, {8040, 0, 255, 255}, {240, 360}, Spot{5880, 360}},
            .headings = {"HAYATI ve ASKERİ OLAYLARI", ""},
            .facts = {.father = "Sultan Abdülmecid", .mother = "Gülistu Kadın Efendi", .birth = "02 Şubat 1861", .death = "15 Mayıs 1926", .reign = {"04 Temmuz 1918 - 01 Kasım 1922"}},
        },
    };
    return records;
}

const Tile& tile(int number)
{
    const auto& all = galleryTiles();
    if (number < 1 || number > int(all.size()))
        throw std::out_of_range("no portrait tile " + std::to_string(number));
    return all[size_t(number - 1)];
}

std::string portraitPicture(const Tile& t)
{
    return std::string("rulers/portraits/") + t.file + ".gif";
}

std::string tughraPicture(const Tile& t)
{
    return std::string("rulers/tughras/") + t.file + ".jpg";
}

std::string upperBodyText(const Tile& t)
{
    return std::string("rulers/") + t.file + ".upper.txt";
}

std::string lowerBodyText(const Tile& t)
{
    return std::string("rulers/") + t.file + ".lower.txt";
}

} // namespace yelvanis::screens::rulers
