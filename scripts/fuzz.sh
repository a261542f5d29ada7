#!/usr/bin/env bash
# Builds the fuzz targets of the game list reader, the per-game file reader and the converter
# of MAME's XML catalogue with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# into ./build-fuzz and runs each for SECONDS (default 20). Fails when a target crashes, hangs
# (10 s on one input), grows past 2 GB or meets undefined behaviour; the input that did it is
# saved under build-fuzz/fuzz-findings/ and can be replayed with: build-fuzz/TARGET FILE
# The corpus grows in build-fuzz/fuzz-corpus/ from one run to the next.
# Usage: fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build_dir=${KORVANE_FUZZ_BUILD_DIR:-build-fuzz}
targets=(korvane_fuzz_gamelist korvane_fuzz_gamesettings korvane_fuzz_listxml)

scripts/install-deps.sh
cmake -S . -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORVANE_BUILD_FUZZERS=ON -DKORVANE_BUILD_TESTS=OFF -DKORVANE_BUILD_BENCH=OFF \
    -DKORVANE_WERROR=ON
cmake --build "$build_dir" -j"$(nproc)" --target "${targets[@]}"

# Seeds of our own: well-formed game blocks, per-game files and XML catalogues, a few odd ones
# among them.
seeds=$build_dir/fuzz-seeds
rm -rf "$seeds"
mkdir -p "$seeds/korvane_fuzz_gamelist" "$seeds/korvane_fuzz_gamesettings" \
    "$seeds/korvane_fuzz_listxml"
cp sample/KvCfg/Korvane.gam "$seeds/korvane_fuzz_gamelist/sample.gam"
printf 'game (\r\n\tname puckman\r\n\tdescription "PuckMan (Japan set 1)"\r\n\tyear 1980\r\n\tcloneof pacman\r\n\tromof pacman\r\n\tmanufacturer "Namco"\r\n\trom ( name namcopac.6e size 4096 crc fee263b3 )\r\n\tdriver ( status good color good sound good )\r\n)\r\n' \
    > "$seeds/korvane_fuzz_gamelist/crlf"
printf 'resource (\n\tname neogeo\n\tyear 1990\n)\ngame (\n\tname nam1975\n\tdescription "NAM-1975"\n\tromof neogeo\n\tdriver ( status preliminary )\n)\n' \
    > "$seeds/korvane_fuzz_gamelist/resource"
printf 'game (\r\tname caf\xc3\xa9\r\tdescription "Caf\xc3\xa9 \xe2\x80\xa2"\r\tmanufacturer "\xc3\x9c\xc3\xa9"\r)' \
    > "$seeds/korvane_fuzz_gamelist/utf8"
printf 'game (\n\tname w\n\tdescription "Caf\xe9 \x95"\n\tmanufacturer "\x80"\n)\n' \
    > "$seeds/korvane_fuzz_gamelist/windows1252"
gs=$seeds/korvane_fuzz_gamesettings
printf '"OriginalMameOption.Value","True"\r\n"AlternateMameOption.Value","False"\r\n"AlternateMameText.Text",""\r\n"AdditionalParamText.Text",""\r\n"BeamText.Text","1.00"\r\n"FlickerText.Text","0"\r\n"GammaText.Text","1.20"\r\n"FrameskipSlider.Value","2"\r\n"CheatCheck.Value","1"\r\n"AdditionalParamCheck.Value","0"\r\n"BeamCheck.Value","0"\r\n"FlickerCheck.Value","0"\r\n"SbOplCheck.Value","0"\r\n"GammaCheck.Value","1"\r\n"VideoCombo.ListIndex","0"\r\n"AudioCombo.ListIndex","0"\r\n"DoubleCombo.ListIndex","0"\r\n"DepthCombo.ListIndex","0"\r\n"VGAFreqCombo.ListIndex","0"\r\n"ScanlinesCombo.ListIndex","2"\r\n"VESACombo.ListIndex","0"\r\n"VSyncCombo.ListIndex","0"\r\n"RotateCombo.ListIndex","0"\r\n"FlipCombo.ListIndex","0"\r\n"SampleRateCombo.ListIndex","0"\r\n"BitRateCombo.ListIndex","0"\r\n"AntialiasCombo.ListIndex","0"\r\n"JoyCombo.ListIndex","1"\r\n"TranslucencyCombo.ListIndex","0"\r\n' \
    > "$gs/whole"
printf '"AdditionalParamText.Text","-a,-b ; "x"y" caf\xc3\xa9"\r\n"JoyCombo.ListIndex"," 2.5 "\r\n' > "$gs/quotes"
printf ' CheatCheck.Value , 40000 \n"VideoCombo.ListIndex","-1"\r"GammaText.Text","\xe9' > "$gs/odd"
# The realistic catalogue of the converter's own test (a BIOS, a device, a clone, entities),
# and one with what MAME never writes: control characters, declared entities, bad names.
xml=$seeds/korvane_fuzz_listxml
sed -n '/^const QByteArray kCatalogue = R"xml(/,/^)xml";$/p' tests/core/listxml_test.cpp |
    sed '1s/.*R"xml(//; $d' > "$xml/catalogue.xml"
grep -q '</mame>' "$xml/catalogue.xml" || { echo "fuzz: no catalogue in listxml_test.cpp" >&2; exit 1; }
printf '<!DOCTYPE mame [<!ENTITY x "&#10;&x;">]><mame><machine name="a&#9;b" cloneof="-x"><description>x&#10;y\r\n&x;</description></machine><machine name="ok" romof="p q"><year>\t19\x7f</year><driver status="good&#13;"/></machine></mame>' \
    > "$xml/odd.xml"

failed=()
for target in "${targets[@]}"; do
    corpus=$build_dir/fuzz-corpus/$target
    findings=$build_dir/fuzz-findings
    mkdir -p "$corpus" "$findings"
    echo "fuzz: $target for ${seconds}s"
    # The outer time limit only guards against the fuzzer itself never ending.
    if ! UBSAN_OPTIONS=print_stacktrace=1 timeout --kill-after=10 $((seconds + 120)) \
        "$build_dir/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/$target-" \
        "$corpus" "$seeds/$target" </dev/null; then
        failed+=("$target")
    fi
done
if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzz: FOUND A FAULT in ${failed[*]}; see $build_dir/fuzz-findings/" >&2
    exit 1
fi
echo "fuzz: nothing found in ${targets[*]}"
