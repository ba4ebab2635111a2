#pragma once

class Configuration;
class SkinnedContent;

// Gives the advanced and breathing-light pages of the skin their behaviour:
// the page models behind their elements, found by name. The controllers
// live as long as the skin.
void attachSettingsPages(SkinnedContent &skin, Configuration &config);
