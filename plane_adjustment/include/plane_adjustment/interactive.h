// Computations between points after the report: the distance between two points and the angle
// at a station between two targets, each with its standard deviation from the covariance of the
// adjustment. A point that is not in the network may come from the point database.
#pragma once
#include <string>

namespace adjustment {
struct Run;
}

namespace plane_adjustment {

void offer_computations(adjustment::Run& run);

// Texts of the dialogue and of its report blocks.
struct DialogueTexts {
    std::string distance_offer = "Chcete provest vypocet delky a jeji stredni chyby mezi body i,j  (y/n)?";
    std::string angle_offer = "Vypocet uhlu mezi body j-i-k a jeho stredni chyby (y/n)?";
    std::string pair_prompt = "Vlozte cisla bodu i,j ? ";
    std::string triple_prompt = "Vlozte cisla bodu j,i,k (j-levy, i-stanovisko, k-pravy)?";
    std::string end_distances = "Chcete opravdu ukoncit vypocet delek? (y/n) ";
    std::string end_angles = "Chcete opravdu ukoncit vypocet uhlu? (y/n) ";
    std::string again_two = "Znovu zadejte obe cisla bodu.";
    std::string again_all = "Znovu zadejte vsechny cisla bodu.";
    std::string point_list = "Cisla bodu jsou:";
    std::string negative_variance = "f fce";
    std::string distance_heading[3] = {" Výpočet délky a její směrod.odch. ",
                                       "   délka mezi             d        směrodat.odch.délky ",
                                       "     body                [mm]             [mm]"};
    std::string angle_heading[3] = {" Výpočet úhlu a jeho směrodat.odch.",
                                    "      Úhel mezi           úhel     směrodat.odch.úhlu ",
                                    "        body              [cc]            [cc]"};
};

}  // namespace plane_adjustment
