jlex_target(NAME fcitx5 PROGRAM jlex-fcitx5 MAKE fcitx5 SERVES "Fcitx 5 Pinyin"
            SUGGESTS fcitx5-chinese-addons)
jlex_target_sources(Fcitx5Paths.cpp Fcitx5Paths.h Fcitx5Target.cpp)
jlex_target_pictures(fcitx5-config.png)
