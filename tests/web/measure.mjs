// Measures the browser build in headless Chromium on this machine:
//   node tests/web/measure.mjs      (after packaging/web/build.sh and ./test.sh)
// the bytes a first visit transfers, with gzip as a web server sends them;
// the first frame after navigation, at full speed and at 200 KiB/s; a key press to the canvas; the title's
// duration; and the descent period at the start of play.
import { gzipSync } from 'node:zlib';
import {
  clickGame,
  launch,
  newProfile,
  openGame,
  pressLetter,
  readScreen,
  serve,
  sleep,
  startButton,
  waitForScreen,
} from './browser.mjs';

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const round = (value) => Math.round(value * 10) / 10;
const loads = 5;

const server = await serve();
const profile = newProfile();
const browser = await launch(profile);
try {
  // First visits, each in a context of its own with nothing cached, and the
  // frames of the title that follows.
  const firstFrames = [];
  const titles = [];
  for (let load = 0; load < loads; ++load) {
    const context = await browser.createBrowserContext();
    const game = await openGame(context, server.address);
    await waitForScreen(game, (s) => s.buttonsWaiting, 'the title', 10000, 50);
    await sleep(300);
    const frames = await game.evaluate(() => window.zelvaneFrames);
    firstFrames.push(frames[0]);
    titles.push(frames[frames.length - 1] - frames[0]);
    await context.close();
  }

  // The same at 200 KiB/s, as Chromium's network throttling lets the bytes through.
  const slowFrames = [];
  for (let load = 0; load < 3; ++load) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    const session = await page.createCDPSession();
    await session.send('Network.enable');
    await session.send('Network.emulateNetworkConditions', {
      offline: false,
      latency: 0,
      downloadThroughput: 200 * 1024,
      uploadThroughput: 200 * 1024,
    });
    await page.evaluateOnNewDocument(() => {
      window.zelvaneFrames = [];
      const put = CanvasRenderingContext2D.prototype.putImageData;
      CanvasRenderingContext2D.prototype.putImageData = function (...args) {
        put.apply(this, args);
        window.zelvaneFrames.push(performance.now());
      };
    });
    await page.goto(server.address);
    await page.waitForFunction(() => window.zelvaneFrames.length > 0, { timeout: 30000 });
    slowFrames.push(await page.evaluate(() => window.zelvaneFrames[0]));
    await context.close();
  }

  // What a first visit fetches, as gzip would send it.
  const files = new Map();
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  page.on('response', async (response) => {
    if (response.ok()) files.set(new URL(response.url()).pathname, await response.buffer());
  });
  await page.goto(server.address, { waitUntil: 'networkidle0' });
  await context.close();
  let raw = 0;
  let gzipped = 0;
  const perFile = [];
  for (const [name, body] of files) {
    const packed = gzipSync(body).length;
    raw += body.length;
    gzipped += packed;
    perFile.push(`${name} ${body.length} -> ${packed}`);
  }

  // Play: the descent period of the first wave, and key presses to the canvas.
  const game = await openGame(browser, server.address);
  await game.evaluate(() => {
    window.zelvaneKeys = [];
    window.zelvaneAnimationFrames = [];
    addEventListener('keydown', (event) => window.zelvaneKeys.push(event.timeStamp), true);
    const frame = (time) => {
      window.zelvaneAnimationFrames.push(time);
      requestAnimationFrame(frame);
    };
    requestAnimationFrame(frame);
  });
  await waitForScreen(game, (s) => s.buttonsWaiting, 'the title');
  await clickGame(game, startButton);
  await waitForScreen(game, (s) => s.wave, 'the first wave', 5000, 20);
  const playFrom = await game.evaluate(() => performance.now());
  await waitForScreen(game, (s) => s.waveRow === 5, 'the wave in row 5', 8000, 50);
  const moves = await game.evaluate((from) => window.zelvaneFrames.filter((at) => at >= from), playFrom);
  const periods = moves.slice(1).map((at, i) => at - moves[i]);

  const latencies = [];
  const frameCounts = [];
  while (latencies.length < 20) {
    const screen = await readScreen(game);
    if (!screen.wave) {
      await sleep(50);
      continue;
    }
    const before = await game.evaluate(() => [window.zelvaneKeys.length, window.zelvaneFrames.length]);
    await pressLetter(game, screen.wave[0]);
    await sleep(100);
    const [pressed, drawn, frames] = await game.evaluate(
      ([keys, frameCount]) => [
        window.zelvaneKeys[keys],
        window.zelvaneFrames.slice(frameCount).find((at) => at >= window.zelvaneKeys[keys]),
        window.zelvaneAnimationFrames,
      ],
      before
    );
    if (drawn === undefined) continue;
    latencies.push(drawn - pressed);
    frameCounts.push(frames.filter((at) => at > pressed && at <= drawn + 0.01).length);
  }
  const frameLength = await game.evaluate(() => {
    const f = window.zelvaneAnimationFrames;
    return (f[f.length - 1] - f[0]) / (f.length - 1);
  });

  const list = (values) => values.map(round).join(', ');
  console.log(`transfer: ${raw} bytes, ${gzipped} with gzip (${perFile.join(', ')})`);
  console.log(`first frame after navigation: median ${round(median(firstFrames))} ms (${list(firstFrames)})`);
  console.log(`first frame after navigation at 200 KiB/s: median ${round(median(slowFrames))} ms (${list(slowFrames)})`);
  console.log(
    `title, first frame to buttons at rest: median ${round(median(titles))} ms (${list(titles)}); ` +
      'the desktop: 126 steps of 5 ms after the first, 630 ms'
  );
  console.log(`descent period at the start of play: ${list(periods)} ms`);
  console.log(
    `key press to canvas: median ${round(median(latencies))} ms, at most ${round(Math.max(...latencies))} ms ` +
      `over ${latencies.length} presses; animation frames from the press to the drawing: ` +
      `${[...new Set(frameCounts)].sort().join(' or ')}; a frame lasts ${round(frameLength)} ms`
  );
} finally {
  await browser.close();
  profile.remove();
  server.stop();
}
