#include "CafeMenu.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace cafe {

namespace {

// One group of the menu: ten dishes in two sizes or kinds each. A variant is
// a pattern in which "%" stands for the dish.
struct MenuGroup {
    const char* name;
    const char* unit;
    double basePrice;    // price of the first dish, in lira
    double priceStep;    // each further dish costs this much more
    double variantRate;  // the second variant costs this much more
    double share;        // how much of the house's sales the group makes
    const char* variants[2];
    const char* dishes[10];
};

const MenuGroup kMenu[] = {
    {"Sıcak İçecekler", "Bardak", 15, 5, 0.6, 16, {"%", "Büyük %"},
     {"Çay", "Fincan Çay", "Türk Kahvesi", "Salep", "Sıcak Çikolata", "Ihlamur", "Adaçayı", "Nane Limon",
      "Kuşburnu Çayı", "Yeşil Çay"}},
    {"Kahveler", "Fincan", 60, 5, 0.3, 9, {"%", "Duble %"},
     {"Espresso", "Americano", "Latte", "Cappuccino", "Mocha", "Macchiato", "Flat White", "Filtre Kahve",
      "Menengiç Kahvesi", "Dibek Kahvesi"}},
    {"Soğuk İçecekler", "Şişe", 30, 4, 0.5, 9, {"%", "Büyük %"},
     {"Kola", "Gazoz", "Ayran", "Şalgam Suyu", "Maden Suyu", "Soğuk Çay", "Limonata", "Şeftalili Soğuk Çay",
      "Meyveli Soda", "Su"}},
    {"Taze Sıkma", "Bardak", 55, 6, 0.5, 3, {"%", "Büyük %"},
     {"Portakal Suyu", "Nar Suyu", "Elma Suyu", "Havuç Suyu", "Greyfurt Suyu", "Karışık Meyve Suyu",
      "Kivi Suyu", "Çilek Suyu", "Ananas Suyu", "Limon Suyu"}},
    {"Kahvaltılar", "Porsiyon", 90, 20, 0.8, 6, {"%", "% (Çift Kişilik)"},
     {"Serpme Kahvaltı", "Kahvaltı Tabağı", "Menemen", "Sucuklu Yumurta", "Omlet", "Peynirli Omlet",
      "Kaşarlı Yumurta", "Simit Tabağı", "Pişi", "Gözleme Tabağı"}},
    {"Tostlar", "Adet", 70, 8, 0.4, 5, {"% Tost", "% Tost (Duble)"},
     {"Kaşarlı", "Sucuklu", "Karışık", "Ayvalık", "Beyaz Peynirli", "Tavuklu", "Ton Balıklı", "Kavurmalı",
      "Sebzeli", "Üç Peynirli"}},
    {"Gözlemeler", "Adet", 80, 7, -0.4, 3, {"% Gözleme", "% Gözleme (Yarım)"},
     {"Patatesli", "Peynirli", "Ispanaklı", "Kıymalı", "Mantarlı", "Kaşarlı", "Karışık", "Otlu", "Sucuklu",
      "Tavuklu"}},
    {"Çorbalar", "Porsiyon", 65, 6, -0.35, 4, {"% Çorbası", "% Çorbası (Yarım)"},
     {"Mercimek", "Ezogelin", "Yayla", "Domates", "Tavuk Suyu", "İşkembe", "Kelle Paça", "Mantar", "Sebze",
      "Tarhana"}},
    {"Salatalar", "Porsiyon", 85, 10, 0.5, 3, {"% Salata", "Büyük % Salata"},
     {"Çoban", "Mevsim", "Sezar", "Ton Balıklı", "Tavuklu", "Gavurdağı", "Roka", "Akdeniz", "Kinoalı",
      "Hellimli"}},
    {"Makarnalar", "Porsiyon", 140, 12, 0.4, 3, {"%", "% (Büyük)"},
     {"Spagetti Bolonez", "Penne Arabiata", "Fettuccine Alfredo", "Kremalı Mantarlı Makarna",
      "Pesto Soslu Makarna", "Fırın Makarna", "Mantı", "Erişte", "Lazanya", "Ton Balıklı Makarna"}},
    {"Pizzalar", "Adet", 160, 15, 0.45, 4, {"% Pizza (Orta)", "% Pizza (Büyük)"},
     {"Margarita", "Karışık", "Sucuklu", "Mantarlı", "Ton Balıklı", "Vejetaryen", "Dört Peynirli", "Tavuklu",
      "Pastırmalı", "Acılı"}},
    {"Burgerler", "Adet", 170, 15, 0.35, 4, {"%", "% Menü"},
     {"Hamburger", "Peynirli Burger", "Tavuk Burger", "Mantarlı Burger", "Barbekü Burger", "Acılı Burger",
      "Füme Etli Burger", "Köfte Burger", "Vegan Burger", "Çift Katlı Burger"}},
    {"Izgaralar", "Porsiyon", 210, 20, 0.5, 3, {"%", "% (1,5 Porsiyon)"},
     {"Izgara Köfte", "Tavuk Şiş", "Adana Kebap", "Urfa Kebap", "Kuzu Pirzola", "Tavuk Kanat",
      "Izgara Bonfile", "Çöp Şiş", "Beyti", "Kaşarlı Köfte"}},
    {"Ev Yemekleri", "Porsiyon", 110, 12, -0.4, 3, {"%", "% (Yarım)"},
     {"Kuru Fasulye", "Pilav", "Karnıyarık", "İmam Bayıldı", "Etli Nohut", "Türlü", "Orman Kebabı",
      "Hünkar Beğendi", "Tas Kebabı", "Etli Bamya"}},
    {"Dürümler", "Adet", 120, 12, 0.1, 3, {"% Dürüm", "Acılı % Dürüm"},
     {"Tavuk", "Et", "Köfte", "Adana", "Falafel", "Tantuni", "Çiğ Köfte", "Kaşarlı Tavuk", "Sucuk", "Döner"}},
    {"Pideler", "Adet", 130, 12, -0.4, 2, {"% Pide", "% Pide (Yarım)"},
     {"Kıymalı", "Kuşbaşılı", "Kaşarlı", "Sucuklu", "Yumurtalı", "Karışık", "Peynirli", "Ispanaklı",
      "Pastırmalı", "Kavurmalı"}},
    {"Atıştırmalıklar", "Porsiyon", 75, 8, 0.5, 4, {"%", "% (Büyük)"},
     {"Patates Kızartması", "Soğan Halkası", "Sigara Böreği", "Çıtır Tavuk", "Nachos", "Mozzarella Çubukları",
      "Paçanga Böreği", "Kalamar Tava", "Patates Kroket", "Humus"}},
    {"Tatlılar", "Porsiyon", 90, 10, 0.3, 5, {"%", "% (Dondurmalı)"},
     {"Sütlaç", "Kazandibi", "Baklava", "Künefe", "Tiramisu", "Cheesecake", "Trileçe", "Profiterol",
      "Kemalpaşa", "Revani"}},
    {"Dondurmalar", "Porsiyon", 35, 3, 1.5, 2, {"% Dondurma (Tek Top)", "% Dondurma (Üç Top)"},
     {"Vanilyalı", "Çikolatalı", "Çilekli", "Limonlu", "Fıstıklı", "Karamelli", "Kavunlu", "Vişneli",
      "Sade Maraş", "Böğürtlenli"}},
    {"Pastalar", "Dilim", 85, 8, 0.4, 3, {"%", "% (Büyük Dilim)"},
     {"Çikolatalı Pasta", "Frambuazlı Pasta", "Muzlu Pasta", "Karamelli Pasta", "Meyveli Pasta",
      "Havuçlu Kek", "Brownie", "Islak Kek", "San Sebastian", "Ekler"}},
    {"Milkshake", "Bardak", 95, 5, 0.3, 2, {"% Milkshake", "Büyük % Milkshake"},
     {"Çilekli", "Muzlu", "Çikolatalı", "Vanilyalı", "Bisküvili", "Karamelli", "Fıstıklı", "Yaban Mersinli",
      "Hindistan Cevizli", "Fıstık Ezmeli"}},
    {"Smoothie", "Bardak", 100, 5, 0.3, 1.5, {"% Smoothie", "Büyük % Smoothie"},
     {"Muz Çilek", "Mango", "Orman Meyveli", "Yeşil Detoks", "Ananaslı", "Şeftalili", "Kivi Elma", "Tropik",
      "Yaban Mersinli", "Karpuz Nane"}},
    {"Bitki Çayları", "Fincan", 45, 3, 1.2, 2, {"% Çayı", "% Çayı (Demlik)"},
     {"Papatya", "Rezene", "Ekinezya", "Melisa", "Kekik", "Hibiskus", "Zencefil", "Tarçın", "Kış", "Rooibos"}},
    {"Fırın Ürünleri", "Adet", 20, 4, 3.0, 4, {"%", "% (Altılı Paket)"},
     {"Simit", "Peynirli Poğaça", "Zeytinli Açma", "Kruvasan", "Çikolatalı Kruvasan", "Su Böreği",
      "Kol Böreği", "Sade Açma", "Tahinli Çörek", "Kaşarlı Poğaça"}},
    {"Sandviçler", "Adet", 80, 8, 0.4, 2, {"% Sandviç", "% Sandviç (Büyük)"},
     {"Kaşarlı", "Hindi Füme", "Ton Balıklı", "Tavuklu", "Köfteli", "Sebzeli", "Beyaz Peynirli", "Salamlı",
      "Mozzarellalı", "Pastırmalı"}},
    {"Ara Sıcaklar", "Porsiyon", 90, 10, 0.5, 2, {"%", "% (Büyük)"},
     {"Kaşarlı Mantar", "Paçanga", "Fındık Lahmacun", "Mücver", "İçli Köfte", "Arnavut Ciğeri",
      "Karides Güveç", "Dil Peynirli Börek", "Patlıcan Kızartması", "Sosis Tava"}},
    {"Mezeler", "Porsiyon", 60, 6, 0.6, 1.5, {"%", "% (Büyük)"},
     {"Haydari", "Acılı Ezme", "Şakşuka", "Babagannuş", "Cacık", "Patlıcan Salatası", "Atom", "Fava",
      "Muhammara", "Deniz Börülcesi"}},
    {"Çocuk Menüsü", "Porsiyon", 90, 8, 0.3, 1.5, {"%", "% Menü"},
     {"Mini Köfte", "Mini Pizza", "Mini Burger", "Tavuk Nugget", "Mini Makarna", "Mini Tost", "Patates Tabağı",
      "Mini Krep", "Mini Pankek", "Sosisli Tabak"}},
    {"Krep ve Waffle", "Porsiyon", 110, 8, 0.4, 2, {"%", "% (Büyük)"},
     {"Çikolatalı Krep", "Muzlu Krep", "Çilekli Krep", "Meyveli Waffle", "Çikolatalı Waffle", "Muzlu Waffle",
      "Sade Pankek", "Akçaağaç Şuruplu Pankek", "Peynirli Krep", "Tavuklu Krep"}},
    {"Paket Ürünler", "Adet", 25, 5, 1.0, 2, {"%", "% (Büyük Boy)"},
     {"Çikolata", "Gofret", "Bisküvi", "Kraker", "Cips", "Sakız", "Kuruyemiş", "Lokum", "Çubuk Kraker",
      "Çerez Tabağı"}},
};

std::string fill(const char* pattern, const char* dish)
{
    std::string out;
    for (const char* p = pattern; *p; ++p) {
        if (*p == '%')
            out += dish;
        else
            out += *p;
    }
    return out;
}

// Menu prices end in 0 or 5 lira, or 2.50 below fifty.
double menuPrice(double raw)
{
    const double step = raw < 50 ? 2.5 : 5;
    return std::max(step, std::round(raw / step) * step);
}

}  // namespace

std::vector<Table> tables()
{
    std::vector<Table> out;
    int id = 0;
    for (int i = 1; i <= 40; ++i)
        out.push_back({++id, "Masa " + std::to_string(i)});
    for (int i = 1; i <= 12; ++i)
        out.push_back({++id, "Bahçe " + std::to_string(i)});
    for (int i = 1; i <= 8; ++i)
        out.push_back({++id, "Teras " + std::to_string(i)});
    return out;
}

std::vector<std::string> units()
{
    return {"Adet", "Porsiyon", "Bardak", "Fincan", "Şişe", "Dilim", "Kg", "Tabak"};
}

std::vector<Group> groups()
{
    std::vector<Group> out;
    int id = 0;
    for (const MenuGroup& g : kMenu) {
        ++id;
        out.push_back({id, g.name, id});
    }
    return out;
}

std::vector<Product> products()
{
    std::vector<Product> out;
    int groupId = 0;
    for (const MenuGroup& g : kMenu) {
        ++groupId;
        int order = 0;
        for (int d = 0; d < 10; ++d) {
            for (int v = 0; v < 2; ++v) {
                Product p;
                p.id = int(out.size()) + 1;
                p.groupId = groupId;
                p.group = g.name;
                p.name = fill(g.variants[v], g.dishes[d]);
                p.unit = g.unit;
                char code[16];
                std::snprintf(code, sizeof code, "STK%04d", p.id);
                p.code = code;
                const double base = g.basePrice + g.priceStep * d;
                p.price = menuPrice(base * (v == 0 ? 1.0 : 1.0 + g.variantRate));
                p.order = ++order;
                // The first dishes of a group sell best; the plain size more
                // than the other.
                p.popularity = g.share / (1.0 + 0.45 * d) * (v == 0 ? 0.7 : 0.3);
                out.push_back(p);
            }
        }
    }
    if (out.size() != 600)
        throw std::logic_error("the menu must hold 600 products");
    return out;
}

std::vector<std::string> billNotes()
{
    return {"Paket servis", "Doğum günü", "Acısız olsun", "Çay ikramı", "Hesap ayrı ödenecek",
            "Vegan müşteri", "Kahve şekersiz", "Rezervasyon: Yılmaz ailesi", "Çocuk sandalyesi",
            "Şirket yemeği"};
}

}  // namespace cafe
