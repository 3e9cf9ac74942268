#pragma once

#include <set>
#include <string>

namespace yelvanis::testing {

// The identifiers of all 80 screens of the program, so that a binding's
// target with a typo in it fails even while its screen is still to come.
inline const std::set<std::string>& allScreenIds()
{
    static const std::set<std::string> ids = [] {
        std::set<std::string> s{
            "giris", "Anasayfa", "kronolojimenu", "mehteran", "mehteran2", "Bilinmeyenler0", "fotolar",
            "haritalar", "unvanlar", "vasiyet", "programhakknda", "aboutme", "iletisim",
            "osman", "orhan", "murad", "yildirim", "cmehmet", "murad2", "fatih", "bayezid2", "yavuz", "Kanuni",
            "selim2", "murad3", "mehmed3", "ahmed", "mustafa", "gencosman", "murad4", "ibrahim", "mehmed4",
            "süleyman2", "ahmed2", "mustafa2", "ahmed3", "mahmud1", "osman3", "mustafa3", "abdülhamid1", "selim3",
            "mustafa4", "mahmud2", "abdulmecid1", "abdulaziz", "murad5", "abdulhamid2", "mehmedresad", "vahdeddin",
            "kronoloji1", "kronoloji2", "kronoloji3", "kronoloji4", "kronoloji5", "kronoloji7", "kronoloji8",
            "kronoloji9",
        };
        for (int i = 1; i <= 17; ++i)
            s.insert("mehter" + std::to_string(i));
        for (int i = 1; i <= 6; ++i)
            s.insert("bilinmeyenler" + std::to_string(i));
        return s;
    }();
    return ids;
}

} // namespace yelvanis::testing
