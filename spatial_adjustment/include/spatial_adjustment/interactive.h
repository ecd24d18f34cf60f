// Computations between adjusted points, offered one after another on the console after the
// report: spatial and horizontal distance, height difference, horizontal angle, zenith angle,
// each with its standard deviation from the covariance of the adjusted coordinates.
#pragma once
#include <string>

namespace adjustment {
struct Run;
}

namespace spatial_adjustment {

void offer_computations(adjustment::Run& run);

// Texts of the dialogue and of its report blocks.
struct DialogueTexts {
    std::string offer[5] = {
        "Výpočet prostorové délky a její směrod. odch. mezi body i,j  (a/n)?",
        "Výpočet vodorovné délky mezi body i,j (a/n)?",
        "Chcete provést výpočet převýšení mezi body i,j (a/n)?",
        "Výpočet úhlu mezi body j-i-k a jeho směrod. odch. (a/n)?",
        "Chcete provést výpočet zenitového úhlu mezi body i,j (a/n)?",
    };
    std::string pair_prompt = "Vložte čísla bodů i,j ? ";
    std::string triple_prompt = "Vložte čísla bodů j,i,k (j-levý, i-vrchol, k-pravý)?";
    std::string end_distances = "Chcete opravdu ukončit výpočet délek? (a/n) ";
    std::string end_heights = "Chcete opravdu ukončit výpočet převýšení (a/n)? ";
    std::string end_angles = "Chcete opravdu ukončit výpočet úhlu? (a/n) ";
    std::string end_zenith = "Chcete opravdu ukončit výpočet zenit.úhlu (a/n)? ";
    std::string again_two = "Znovu zadejte obě čísla bodů.";
    std::string again_all = "Znovu zadejte všechna čísla bodů.";
    std::string point_list = "Čísla bodů jsou:";
    std::string negative_variance = "f fce";
    std::string PRO[2] = {"prostorové", "vodorovné"};
    std::string PROS[2] = {"prostorová", "vodorovná"};
    std::string distance_title = " Výpočet ";
    std::string distance_title_end = "délky a její směrod. odchylky";
    std::string distance_columns = " délka         d        směrod. odch. délky ";
    std::string height_heading[2] = {" Výpočet převýšení a jeho směrodat. odchylky",
                                     "   převýšení              h       směrod. odch. převýšení "};
    std::string angle_heading[2] = {" Výpočet vodorovného úhlu a jeho směrodat. odch.",
                                    "      Úhel mezi           Úhel     směrod. odch. úhlu "};
    std::string zenith_heading[2] = {" Výpočet zenitového úhlu a jeho směrod. odch.",
                                     " zenitový úhel            z        směrod. odch. úhlu "};
    std::string units_mm = "   mezi body             [mm]             [mm]";
    std::string units_angle = "        body              [cc]            [cc]";
    std::string units_zenith = "   mezi body             [cc]             [cc]";
};

}  // namespace spatial_adjustment
