#pragma once

// The house of the large database: its tables, units, product groups and
// products with Turkish names and prices. Everything is fixed, so two runs of
// the generator make the same database.

#include <string>
#include <vector>

namespace cafe {

struct Table {
    int id;
    std::string name;  // UTF-8
};

struct Group {
    int id;
    std::string name;
    int order;  // SIRA_NO
};

struct Product {
    int id;
    int groupId;
    std::string group;
    std::string name;
    std::string unit;
    std::string code;
    double price;
    int order;          // SIRA_NO within the group
    double popularity;  // relative share of the bill lines
};

std::vector<Table> tables();      // 60
std::vector<std::string> units(); // 8
std::vector<Group> groups();      // 30
std::vector<Product> products();  // 600, 20 per group

// Notes typed into a few bills.
std::vector<std::string> billNotes();

}  // namespace cafe
